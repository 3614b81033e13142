#pragma once

// The root widget of Files and the single owner of the explorer's state. The
// toolkit calls it on the interface thread; nothing else changes the state.

#include "app/explorer_state.h"
#include "app/navigation.h"
#include "ui/widget.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace files::app {

// What the explorer is built with: its folders and the workspace roots
// already resolved by the caller.
struct ExplorerEnvironment {
    std::optional<std::filesystem::path> config_folder;
    std::optional<std::filesystem::path> home_folder;
    std::vector<std::filesystem::path> workspace_roots;
    std::filesystem::path start_location { "/" };
    // False inside screenshot scenes: nothing is created on disk for them.
    bool live { true };
};

class FileExplorerWidget final : public ui::Widget {
public:
    explicit FileExplorerWidget(ExplorerEnvironment environment);

    ExplorerState const& state() const { return m_state; }
    // For callers that arrange a state directly (screenshot scenes, tests).
    ExplorerState& mutable_state() { return m_state; }
    LoadHooks& load_hooks() { return m_hooks; }

    void navigate(std::filesystem::path const& path);
    void back();
    void forward();
    void up();
    void reload();
    void set_notice(std::string text);

    void sync(ui::FrameContext const& frame) override;
    void build_layout(ui::Rect bounds, ui::LayoutContext& context) override;
    void apply_layout(ui::Rect bounds) override;
    void draw(ui::Painter& painter) override;
    ui::EventResult handle_event(ui::Event const& event) override;
    ui::AccessNode accessibility() const override;

    bool needs_animation_frame() const override { return m_state.loading; }
    std::optional<ui::Clock::time_point> next_wake_deadline() const override { return m_state.next_refresh_at; }
    std::optional<std::string> observer_snapshot() const override;

private:
    void layout_content(ui::Rect content);

    ExplorerState m_state;
    LoadHooks m_hooks;
};

}
