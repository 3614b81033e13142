#include "host/automation_protocol.h"

#include <cmath>
#include <functional>
#include <map>

#include <fmt/format.h>

namespace host {

namespace {

    // Window and image sizes are whole pixels; answer them as integers.
    long whole(double value) { return std::lround(value); }

    using Handler = std::function<base::Result<Json>(Json const&, AutomationTarget&)>;

    std::string ok_reply(Json body, Json const& id)
    {
        Json answer = Json::object();
        answer["ok"] = true;
        if (!id.is_null())
            answer["id"] = id;
        for (auto& [key, value] : body.items())
            answer[key] = std::move(value);
        // Texts from widgets may carry invalid UTF-8; replace rather than fail.
        return answer.dump(-1, ' ', false, Json::error_handler_t::replace);
    }

    base::Result<Json> snapshot(Json const&, AutomationTarget& target)
    {
        auto text = target.root().observer_snapshot();
        if (!text)
            return Json { { "snapshot", nullptr } };
        auto value = Json::parse(*text, nullptr, false);
        if (value.is_discarded())
            return base::fail("the observer snapshot is not valid JSON");
        return Json { { "snapshot", std::move(value) } };
    }

    base::Result<Json> accessibility(Json const&, AutomationTarget& target)
    {
        return Json { { "tree", access_node_json(target.root().accessibility()) } };
    }

    base::Result<Json> perform_action(Json const& request, AutomationTarget& target)
    {
        auto node = request.find("node");
        auto action = request.find("action");
        if (node == request.end() || !node->is_string() || action == request.end() || !action->is_string())
            return base::fail("perform_action needs \"node\" and \"action\" strings");
        bool handled = target.root().perform_action(node->get<std::string>(), action->get<std::string>());
        target.schedule_frame();
        return Json { { "handled", handled } };
    }

    base::Result<Json> resources(Json const&, AutomationTarget& target)
    {
        Json list = Json::array();
        for (auto const& resource : published_resources(target.root()))
            list.push_back(resource_json(resource));
        return Json { { "resources", std::move(list) } };
    }

    base::Result<Json> invoke(Json const& request, AutomationTarget& target)
    {
        auto invocation = TRY(invocation_from_json(request));
        auto result = target.root().invoke(invocation);
        target.schedule_frame();
        return invoke_result_json(result);
    }

    base::Result<Json> start_effect(Json const& request, AutomationTarget& target)
    {
        auto invocation = TRY(invocation_from_json(request));
        auto id = TRY(invocation_id_from_json(request));
        auto result = target.root().start_effect(invocation, id);
        target.schedule_frame();
        return start_effect_json(result);
    }

    base::Result<Json> take_effect_result(Json const& request, AutomationTarget& target)
    {
        auto id = TRY(invocation_id_from_json(request));
        auto result = target.root().take_effect_result(id);
        target.schedule_frame();
        return Json { { "result", result ? effect_result_json(*result) : Json(nullptr) } };
    }

    base::Result<Json> event(Json const& request, AutomationTarget& target)
    {
        auto decoded = TRY(event_from_json(request));
        auto result = target.deliver(decoded);
        return Json { { "handled", result == ui::EventResult::Handled } };
    }

    base::Result<Json> render(Json const& request, AutomationTarget& target)
    {
        auto path = request.find("path");
        if (path == request.end() || !path->is_string() || path->get<std::string>().empty())
            return base::fail("render needs a \"path\"");
        auto pixels = TRY(target.render_png(path->get<std::string>()));
        return Json { { "path", *path }, { "width", whole(pixels.width) }, { "height", whole(pixels.height) } };
    }

    base::Result<Json> size(Json const& request, AutomationTarget& target)
    {
        bool has_width = request.contains("width");
        if (has_width || request.contains("height")) {
            auto width = request.find("width");
            auto height = request.find("height");
            bool valid = width != request.end() && height != request.end() && width->is_number() && height->is_number();
            double w = valid ? width->get<double>() : 0;
            double h = valid ? height->get<double>() : 0;
            if (!valid || !(w >= 1 && w <= 16384) || !(h >= 1 && h <= 16384))
                return base::fail("\"width\" and \"height\" must be numbers from 1 to 16384");
            TRY_VOID(target.resize({ std::round(w), std::round(h) }));
        }
        auto current = target.window_size();
        return Json { { "width", whole(current.width) }, { "height", whole(current.height) } };
    }

    base::Result<Json> clipboard(Json const&, AutomationTarget& target)
    {
        return Json { { "text", target.clipboard_text() } };
    }

    base::Result<Json> quit(Json const&, AutomationTarget& target)
    {
        target.quit();
        return Json::object();
    }

    std::map<std::string, Handler, std::less<>> const& handlers()
    {
        static std::map<std::string, Handler, std::less<>> const table {
            { "snapshot", snapshot },
            { "accessibility", accessibility },
            { "perform_action", perform_action },
            { "resources", resources },
            { "invoke", invoke },
            { "start_effect", start_effect },
            { "take_effect_result", take_effect_result },
            { "event", event },
            { "render", render },
            { "size", size },
            { "clipboard", clipboard },
            { "quit", quit },
        };
        return table;
    }

    base::Result<WaitIdle> wait_idle(Json const& request, Json const& id, Clock::time_point now)
    {
        auto timeout = std::chrono::milliseconds(default_idle_timeout);
        if (auto it = request.find("timeout"); it != request.end()) {
            if (!it->is_number() || !(it->get<double>() >= 0) || it->get<double>() > 600000)
                return base::fail("\"timeout\" must be a number of milliseconds from 0 to 600000");
            timeout = std::chrono::milliseconds(static_cast<long>(it->get<double>()));
        }
        return WaitIdle { now + timeout, id };
    }

}

std::string error_reply(std::string_view text, Json const& id)
{
    Json answer = Json::object();
    answer["ok"] = false;
    if (!id.is_null())
        answer["id"] = id;
    answer["error"] = text;
    return answer.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string idle_reply(WaitIdle const& wait, bool reached)
{
    if (!reached)
        return error_reply("timed out waiting for idle", wait.id);
    return ok_reply(Json::object(), wait.id);
}

Answer handle_request(std::string_view line, AutomationTarget& target, Clock::time_point now)
{
    auto request = Json::parse(line, nullptr, false);
    if (request.is_discarded())
        return Reply { error_reply("request is not valid JSON") };
    if (!request.is_object())
        return Reply { error_reply("request must be a JSON object") };
    Json id = request.contains("id") ? request["id"] : Json(nullptr);
    auto op = request.find("op");
    if (op == request.end() || !op->is_string())
        return Reply { error_reply("request needs an \"op\" string", id) };
    auto name = op->get<std::string>();
    if (name == "wait_idle") {
        auto wait = wait_idle(request, id, now);
        if (!wait)
            return Reply { error_reply(wait.error().text(), id) };
        return *wait;
    }
    auto handler = handlers().find(name);
    if (handler == handlers().end())
        return Reply { error_reply("unknown op: " + name, id) };
    try {
        auto body = handler->second(request, target);
        if (!body)
            return Reply { error_reply(body.error().text(), id) };
        return Reply { ok_reply(std::move(*body), id) };
    } catch (nlohmann::json::exception const& error) {
        return Reply { error_reply(error.what(), id) };
    }
}

std::vector<ui::Resource> published_resources(ui::Widget const& root)
{
    auto list = root.resources();
    auto tree = root.accessibility();
    std::vector<ui::AccessNode const*> controls;
    tree.collect_controls(controls);
    for (auto const* node : controls)
        list.push_back(ui::control_resource(node->control_id, node->label));
    return list;
}

}
