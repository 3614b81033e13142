#include "app/status_text.h"

#include "i18n/translate.h"

namespace files::app {

std::string status_text(ExplorerState const& state)
{
    std::string base = state.notice ? *state.notice
                                    : i18n::translate_with("files-item-count", { { "count", state.entries.size() } });
    if (state.selection.empty())
        return base;
    return i18n::translate_with("files-selected-count", { { "base", base }, { "count", state.selection.size() } });
}

}
