#include "path_bar/segments.h"

#include "favorites/path_text.h"
#include "favorites/workspace_roots.h"
#include "i18n/translate.h"

namespace files::path_bar {

namespace {

    std::string resolve(favorites::Label const& label)
    {
        switch (label.source) {
        case favorites::Label::Source::Message:
            return i18n::translate(label.text);
        case favorites::Label::Source::Literal:
            return label.text;
        }
        return label.text;
    }

    bool is_ordinary(std::filesystem::path const& component)
    {
        return component != "." && component != ".." && component != component.root_directory();
    }

    // Appends one segment per ordinary component of `location` after the
    // first `skip` components.
    void append_components(
        Breadcrumbs& crumbs, std::filesystem::path base, std::filesystem::path const& location, std::size_t skip)
    {
        auto parts = favorites::path_components(location);
        for (std::size_t i = skip; i < parts.size(); ++i) {
            if (!is_ordinary(parts[i]))
                continue;
            base /= parts[i];
            crumbs.segments.push_back({ favorites::display_text(parts[i]), base });
        }
    }

}

Breadcrumbs breadcrumbs_for(std::filesystem::path const& location, std::vector<std::filesystem::path> const& roots,
    std::optional<std::filesystem::path> const& home)
{
    Breadcrumbs crumbs;
    if (auto root = favorites::root_containing(location, roots)) {
        crumbs.icon = LeadingIcon::Workspace;
        crumbs.segments.push_back({ resolve(favorites::root_label(*root)), *root });
        append_components(crumbs, *root, location, favorites::path_components(*root).size());
        return crumbs;
    }
    if (home && favorites::is_within(location, *home)) {
        crumbs.icon = LeadingIcon::Home;
        crumbs.segments.push_back({ i18n::translate("files-place-home"), *home });
        append_components(crumbs, *home, location, favorites::path_components(*home).size());
        return crumbs;
    }
    crumbs.icon = LeadingIcon::Drive;
    crumbs.segments.push_back({ "/", "/" });
    append_components(crumbs, "/", location, 0);
    return crumbs;
}

}
