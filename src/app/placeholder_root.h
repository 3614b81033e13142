#pragma once

// The window's root until the explorer itself takes its place: a calm
// surface that names the folder the program was asked to show and the notice
// it would show, so the window, the hosts and the automation endpoint can be
// exercised end to end.

#include "ui/widget.h"

#include <memory>
#include <string>

namespace files::app {

class PlaceholderRoot final : public ui::Widget {
public:
    PlaceholderRoot(std::string location, std::string notice);

    void build_layout(ui::Rect bounds, ui::LayoutContext&) override;
    void draw(ui::Painter& painter) override;
    ui::AccessNode accessibility() const override;
    std::optional<std::string> observer_snapshot() const override;

    std::string const& location() const { return m_location; }
    std::string const& notice() const { return m_notice; }

private:
    std::string m_location;
    std::string m_notice;
    bool m_laid_out { false };
};

}
