#include "ui/access_node.h"

namespace ui {

std::string_view access_role_name(AccessRole role)
{
    switch (role) {
    case AccessRole::Window:
        return "window";
    case AccessRole::Group:
        return "group";
    case AccessRole::Button:
        return "button";
    case AccessRole::ToggleButton:
        return "toggle-button";
    case AccessRole::Text:
        return "text";
    case AccessRole::TextInput:
        return "text-input";
    case AccessRole::List:
        return "list";
    case AccessRole::ListItem:
        return "list-item";
    case AccessRole::Grid:
        return "grid";
    case AccessRole::GridCell:
        return "grid-cell";
    case AccessRole::Menu:
        return "menu";
    case AccessRole::MenuItem:
        return "menu-item";
    case AccessRole::Navigation:
        return "navigation";
    case AccessRole::Toolbar:
        return "toolbar";
    case AccessRole::Status:
        return "status";
    case AccessRole::Dialog:
        return "dialog";
    case AccessRole::Image:
        return "image";
    case AccessRole::ProgressIndicator:
        return "progress-indicator";
    case AccessRole::ScrollArea:
        return "scroll-area";
    case AccessRole::Separator:
        return "separator";
    }
    return "group";
}

AccessNode const* AccessNode::find(std::string_view node_id) const
{
    if (id == node_id)
        return this;
    for (auto const& child : children) {
        if (auto const* found = child.find(node_id))
            return found;
    }
    return nullptr;
}

void AccessNode::collect_controls(std::vector<AccessNode const*>& out) const
{
    if (!control_id.empty())
        out.push_back(this);
    for (auto const& child : children)
        child.collect_controls(out);
}

}
