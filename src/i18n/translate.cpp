#include "i18n/translate.h"

#include "i18n/catalogue.h"
#include "i18n/pseudo.h"

namespace files::i18n {

std::string translate(std::string_view id) { return translate_in(current_locale(), id, {}); }

std::string translate_with(std::string_view id, Arguments const& arguments)
{
    return translate_in(current_locale(), id, arguments);
}

std::string translate_in(LanguageId const& locale, std::string_view id, Arguments const& arguments)
{
    std::string text = catalogue_for(locale).format(id, &arguments);
    if (locale.language == "qps")
        return pseudolocalize(text, arguments);
    return text;
}

}
