#include "ui/selection_model.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using ui::ClickSelect;
using ui::MoveSelect;
using ui::SelectionModel;

namespace {

struct Click {
    std::size_t index;
    ClickSelect mode;
};

struct ClickCase {
    char const* name;
    std::vector<Click> clicks;
    std::vector<std::size_t> selected;
    std::optional<std::size_t> primary;
};

}

TEST(SelectionModel, ClickSemantics)
{
    ClickCase const cases[] = {
        { "plain click selects only", { { 3, ClickSelect::Replace } }, { 3 }, 3 },
        { "plain click replaces", { { 1, ClickSelect::Replace }, { 4, ClickSelect::Replace } }, { 4 }, 4 },
        { "toggle adds", { { 1, ClickSelect::Replace }, { 4, ClickSelect::Toggle } }, { 1, 4 }, 4 },
        { "toggle removes and primary falls back",
            { { 1, ClickSelect::Replace }, { 4, ClickSelect::Toggle }, { 4, ClickSelect::Toggle } }, { 1 }, 1 },
        { "toggle last item empties", { { 2, ClickSelect::Replace }, { 2, ClickSelect::Toggle } }, {}, std::nullopt },
        { "range from anchor forward", { { 2, ClickSelect::Replace }, { 5, ClickSelect::Range } }, { 2, 3, 4, 5 }, 5 },
        { "range from anchor backward", { { 5, ClickSelect::Replace }, { 2, ClickSelect::Range } }, { 2, 3, 4, 5 }, 2 },
        { "second range keeps the anchor",
            { { 3, ClickSelect::Replace }, { 6, ClickSelect::Range }, { 1, ClickSelect::Range } }, { 1, 2, 3 }, 1 },
        { "range without anchor selects one", { { 4, ClickSelect::Range } }, { 4 }, 4 },
        { "range after toggle anchors at toggled",
            { { 0, ClickSelect::Replace }, { 5, ClickSelect::Toggle }, { 7, ClickSelect::Range } }, { 5, 6, 7 }, 7 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        SelectionModel model;
        for (auto const& click : c.clicks)
            model.apply_click(click.index, click.mode);
        EXPECT_EQ(model.selected(), c.selected);
        EXPECT_EQ(model.primary(), c.primary);
    }
}

TEST(SelectionModel, MoveSelectAllClearAndClamp)
{
    SelectionModel model;
    model.select_only(2);
    model.move_to(4, MoveSelect::Extend);
    EXPECT_EQ(model.selected(), (std::vector<std::size_t> { 2, 3, 4 }));
    model.move_to(1, MoveSelect::Replace);
    EXPECT_EQ(model.selected(), (std::vector<std::size_t> { 1 }));
    EXPECT_TRUE(model.is_selected(1));
    EXPECT_FALSE(model.is_selected(2));

    model.select_all(4);
    EXPECT_EQ(model.selected(), (std::vector<std::size_t> { 0, 1, 2, 3 }));
    EXPECT_EQ(model.primary(), 1u);

    model.clamp(2);
    EXPECT_EQ(model.selected(), (std::vector<std::size_t> { 0, 1 }));
    model.select_only(1);
    model.clamp(1);
    EXPECT_TRUE(model.selected().empty());
    EXPECT_EQ(model.primary(), std::nullopt);

    model.select_all(0);
    EXPECT_TRUE(model.empty());
    model.select_only(3);
    model.clear();
    EXPECT_TRUE(model.empty());
    EXPECT_EQ(model.anchor(), std::nullopt);
}

TEST(SelectionModel, AssignDeduplicatesAndKeepsPrimaryOnlyWhenSelected)
{
    SelectionModel model;
    model.assign({ 5, 1, 5, 3 }, 9);
    EXPECT_EQ(model.selected(), (std::vector<std::size_t> { 1, 3, 5 }));
    EXPECT_EQ(model.primary(), 1u);
    model.assign({ 2, 4 }, 4);
    EXPECT_EQ(model.primary(), 4u);
}
