#pragma once

// The accessibility tree a widget publishes. Assistive technologies and the
// automation endpoint read it; actions are performed on a node by its id.

#include "ui/geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

enum class AccessRole : std::uint8_t {
    Window,
    Group,
    Button,
    ToggleButton,
    Text,
    TextInput,
    List,
    ListItem,
    Grid,
    GridCell,
    Menu,
    MenuItem,
    Navigation,
    Toolbar,
    Status,
    Dialog,
    Image,
    ProgressIndicator,
    ScrollArea,
    Separator,
};

std::string_view access_role_name(AccessRole role);

struct AccessNode {
    std::string id;
    AccessRole role { AccessRole::Group };
    std::string label;
    std::string description;
    std::string value;
    Rect bounds;
    bool focusable { false };
    bool focused { false };
    bool selected { false };
    bool disabled { false };
    std::optional<bool> checked;
    // The control id of a control node; the toolkit publishes these as
    // "kesu.control" resources.
    std::string control_id;
    // Names of the actions this node accepts ("activate", "files-retry-folder" …).
    std::vector<std::string> actions;
    std::vector<AccessNode> children;

    AccessNode() = default;
    AccessNode(std::string node_id, AccessRole node_role, std::string node_label = {})
        : id(std::move(node_id))
        , role(node_role)
        , label(std::move(node_label))
    {
    }

    // Depth-first search by id; null when absent.
    AccessNode const* find(std::string_view node_id) const;
    // Every node with a control id, depth first.
    void collect_controls(std::vector<AccessNode const*>& out) const;
};

}
