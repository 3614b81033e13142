#include "ftl_tool/check.h"

#include "ftl_tool/message_shape.h"

#include <map>
#include <set>

namespace files::ftl_tool {

namespace {

    namespace fluent = i18n::fluent;

    // The messages of a resource in their order, each id with its first
    // definition, which is the one the explorer's lookup uses.
    struct MessageIndex {
        std::vector<fluent::Message const*> ordered;
        std::map<std::string, fluent::Message const*, std::less<>> by_id;
    };

    MessageIndex index_messages(fluent::Resource const& resource)
    {
        MessageIndex index;
        for (auto const& entry : resource.body) {
            auto const* message = std::get_if<fluent::Message>(&entry);
            if (message && index.by_id.emplace(message->id, message).second)
                index.ordered.push_back(message);
        }
        return index;
    }

    void report_junk(NamedResource const& named, std::vector<std::string>& lines)
    {
        for (auto const& entry : named.resource.body) {
            if (auto const* junk = std::get_if<fluent::Junk>(&entry))
                lines.push_back(named.path + ":" + std::to_string(junk->line) + ":" + std::to_string(junk->column)
                    + ": junk: " + junk->reason);
        }
    }

    void report_duplicates(NamedResource const& named, std::vector<std::string>& lines)
    {
        std::set<std::string> messages;
        std::set<std::string> terms;
        for (auto const& entry : named.resource.body) {
            if (auto const* message = std::get_if<fluent::Message>(&entry)) {
                if (!messages.insert(message->id).second)
                    lines.push_back(named.path + ": message \"" + message->id + "\" is defined more than once");
            } else if (auto const* term = std::get_if<fluent::Term>(&entry)) {
                if (!terms.insert(term->id).second)
                    lines.push_back(named.path + ": term \"-" + term->id + "\" is defined more than once");
            }
        }
    }

    void report_against(NamedResource const& checked, NamedResource const& reference, std::vector<std::string>& lines)
    {
        MessageIndex const ours = index_messages(checked.resource);
        MessageIndex const theirs = index_messages(reference.resource);
        for (auto const* message : theirs.ordered) {
            if (!ours.by_id.contains(message->id))
                lines.push_back(checked.path + ": missing message \"" + message->id + "\" of " + reference.path);
        }
        for (auto const* message : ours.ordered) {
            if (!theirs.by_id.contains(message->id))
                lines.push_back(checked.path + ": extra message \"" + message->id + "\", not in " + reference.path);
        }
        for (auto const* message : ours.ordered) {
            auto const found = theirs.by_id.find(message->id);
            if (found == theirs.by_id.end())
                continue;
            for (auto const& difference : compare_shapes(message_shape(*found->second), message_shape(*message)))
                lines.push_back(checked.path + ": message \"" + message->id + "\": " + difference);
        }
    }

}

std::vector<std::string> check_report(NamedResource const& checked, NamedResource const* reference)
{
    std::vector<std::string> lines;
    report_junk(checked, lines);
    if (reference)
        report_junk(*reference, lines);
    report_duplicates(checked, lines);
    if (reference) {
        report_duplicates(*reference, lines);
        report_against(checked, *reference, lines);
    }
    return lines;
}

}
