#include "i18n/fluent/detail/resolver.h"

#include <algorithm>
#include <charconv>

namespace files::i18n::fluent::detail {

namespace {

    // A value that could not be resolved; written as "{text}".
    struct Missing {
        std::string text;
    };

    using Resolved = std::variant<std::string, Number, Missing>;

    Number number_from_literal(NumberLiteral const& literal)
    {
        if (literal.fraction_digits == 0) {
            std::int64_t integer = 0;
            auto const* end = literal.source.data() + literal.source.size();
            auto const result = std::from_chars(literal.source.data(), end, integer);
            if (result.ec == std::errc() && result.ptr == end)
                return Number::from_signed(integer);
        }
        Number number = Number::from_double(literal.value);
        number.set_minimum_fraction_digits(literal.fraction_digits);
        return number;
    }

    class Scope {
    public:
        Scope(Bundle const& bundle, Arguments const* arguments, FormatErrors& errors)
            : m_bundle(bundle)
            , m_arguments(arguments)
            , m_errors(errors)
        {
        }

        void write_pattern(Pattern const& pattern, std::string& out);

    private:
        void write_expression(Expression const& expression, std::string& out);
        void write_resolved(Resolved const& value, std::string& out);
        Resolved resolve(Expression const& expression);
        Resolved resolve_variable(VariableReference const& reference);
        Resolved resolve_function(FunctionReference const& function);
        void write_message(MessageReference const& reference, std::string& out);
        void write_term(TermReference const& reference, std::string& out);
        Variant const& choose_variant(SelectExpression const& select);
        void report(FormatErrorKind kind, std::string text) { m_errors.push_back({ kind, std::move(text) }); }

        Bundle const& m_bundle;
        Arguments const* m_arguments;
        // The named arguments of the term being expanded; inside a term the
        // caller's arguments are not visible.
        Arguments const* m_term_arguments { nullptr };
        bool m_in_term { false };
        FormatErrors& m_errors;
        std::vector<Pattern const*> m_active;
        int m_placeables { 0 };
        bool m_exhausted { false };
    };

    void Scope::write_pattern(Pattern const& pattern, std::string& out)
    {
        if (std::find(m_active.begin(), m_active.end(), &pattern) != m_active.end()) {
            report(FormatErrorKind::CyclicReference, "Cyclic reference");
            out += "{???}";
            return;
        }
        m_active.push_back(&pattern);
        for (auto const& element : pattern.elements) {
            if (m_exhausted)
                break;
            if (auto const* text = std::get_if<TextElement>(&element)) {
                out += text->value;
                continue;
            }
            if (++m_placeables > max_placeables) {
                m_exhausted = true;
                report(FormatErrorKind::TooManyPlaceables, "Too many placeables expanded in one formatting");
                break;
            }
            write_expression(*std::get<Placeable>(element).expression, out);
        }
        m_active.pop_back();
    }

    void Scope::write_resolved(Resolved const& value, std::string& out)
    {
        if (auto const* text = std::get_if<std::string>(&value))
            out += *text;
        else if (auto const* number = std::get_if<Number>(&value))
            out += number->plain_text();
        else
            out += "{" + std::get<Missing>(value).text + "}";
    }

    void Scope::write_expression(Expression const& expression, std::string& out)
    {
        if (auto const* message = std::get_if<MessageReference>(&expression.node))
            return write_message(*message, out);
        if (auto const* term = std::get_if<TermReference>(&expression.node))
            return write_term(*term, out);
        if (auto const* select = std::get_if<SelectExpression>(&expression.node))
            return write_pattern(choose_variant(*select).value, out);
        if (auto const* placeable = std::get_if<Placeable>(&expression.node))
            return write_expression(*placeable->expression, out);
        write_resolved(resolve(expression), out);
    }

    Resolved Scope::resolve(Expression const& expression)
    {
        if (auto const* text = std::get_if<StringLiteral>(&expression.node))
            return text->value;
        if (auto const* number = std::get_if<NumberLiteral>(&expression.node))
            return number_from_literal(*number);
        if (auto const* variable = std::get_if<VariableReference>(&expression.node))
            return resolve_variable(*variable);
        if (auto const* function = std::get_if<FunctionReference>(&expression.node))
            return resolve_function(*function);
        if (auto const* placeable = std::get_if<Placeable>(&expression.node))
            return resolve(*placeable->expression);
        std::string text;
        write_expression(expression, text);
        return text;
    }

    Resolved Scope::resolve_variable(VariableReference const& reference)
    {
        if (m_in_term) {
            // A term sees only the arguments its reference passed; a missing one
            // falls back quietly so the term's default variant applies.
            Value const* value = m_term_arguments ? find_argument(*m_term_arguments, reference.id) : nullptr;
            if (!value)
                return Missing { "$" + reference.id };
            return std::visit([](auto const& v) -> Resolved { return v; }, *value);
        }
        Value const* value = m_arguments ? find_argument(*m_arguments, reference.id) : nullptr;
        if (!value) {
            report(FormatErrorKind::UnknownVariable, "Unknown variable: $" + reference.id);
            return Missing { "$" + reference.id };
        }
        return std::visit([](auto const& v) -> Resolved { return v; }, *value);
    }

    // NUMBER(value, minimumFractionDigits: n, maximumFractionDigits: n,
    // type: "ordinal") is the one built-in function.
    Resolved Scope::resolve_function(FunctionReference const& function)
    {
        if (function.id != "NUMBER") {
            report(FormatErrorKind::UnknownFunction, "Unknown function: " + function.id + "()");
            return Missing { function.id + "()" };
        }
        if (function.arguments.positional.empty()) {
            report(FormatErrorKind::InvalidArgument, "NUMBER() needs a number");
            return Missing { "NUMBER()" };
        }
        Resolved argument = resolve(function.arguments.positional.front());
        auto* number = std::get_if<Number>(&argument);
        if (!number) {
            if (!std::holds_alternative<Missing>(argument))
                report(FormatErrorKind::InvalidArgument, "NUMBER() needs a number");
            return Missing { "NUMBER()" };
        }
        for (auto const& option : function.arguments.named) {
            auto const* count = std::get_if<NumberLiteral>(&option.value);
            int const digits = count ? std::clamp(static_cast<int>(count->value), 0, 20) : 0;
            if (option.name == "minimumFractionDigits" && count)
                number->set_minimum_fraction_digits(digits);
            else if (option.name == "maximumFractionDigits" && count)
                number->set_maximum_fraction_digits(digits);
            else if (auto const* text = std::get_if<StringLiteral>(&option.value); option.name == "type" && text)
                number->set_plural_type(text->value == "ordinal" ? PluralType::Ordinal : PluralType::Cardinal);
        }
        return *number;
    }

    void Scope::write_message(MessageReference const& reference, std::string& out)
    {
        Message const* message = m_bundle.message(reference.id);
        if (!message) {
            report(FormatErrorKind::UnknownMessage, "Unknown message: " + reference.id);
            out += "{" + reference.id + "}";
            return;
        }
        if (reference.attribute) {
            auto const attribute = std::find_if(message->attributes.begin(), message->attributes.end(),
                [&](Attribute const& a) { return a.id == *reference.attribute; });
            if (attribute == message->attributes.end()) {
                report(FormatErrorKind::UnknownAttribute,
                    "Unknown attribute: " + reference.id + "." + *reference.attribute);
                out += "{" + reference.id + "." + *reference.attribute + "}";
                return;
            }
            return write_pattern(attribute->value, out);
        }
        if (!message->value) {
            report(FormatErrorKind::NoValue, "No value: " + reference.id);
            out += "{" + reference.id + "}";
            return;
        }
        write_pattern(*message->value, out);
    }

    void Scope::write_term(TermReference const& reference, std::string& out)
    {
        Term const* term = m_bundle.term(reference.id);
        Pattern const* pattern = term ? &term->value : nullptr;
        if (term && reference.attribute) {
            auto const attribute = std::find_if(term->attributes.begin(), term->attributes.end(),
                [&](Attribute const& a) { return a.id == *reference.attribute; });
            pattern = attribute == term->attributes.end() ? nullptr : &attribute->value;
        }
        if (!pattern) {
            std::string const name = "-" + reference.id + (reference.attribute ? "." + *reference.attribute : "");
            report(term ? FormatErrorKind::UnknownAttribute : FormatErrorKind::UnknownTerm,
                (term ? "Unknown attribute: " : "Unknown term: ") + name);
            out += "{" + name + "}";
            return;
        }
        Arguments term_arguments;
        if (reference.arguments) {
            for (auto const& named : reference.arguments->named) {
                if (auto const* text = std::get_if<StringLiteral>(&named.value))
                    term_arguments.emplace_back(named.name, text->value);
                else
                    term_arguments.emplace_back(named.name, number_from_literal(std::get<NumberLiteral>(named.value)));
            }
        }
        auto const saved_arguments = m_term_arguments;
        bool const saved_in_term = m_in_term;
        m_term_arguments = &term_arguments;
        m_in_term = true;
        write_pattern(*pattern, out);
        m_term_arguments = saved_arguments;
        m_in_term = saved_in_term;
    }

    bool key_is(VariantKey const& key, std::string_view text)
    {
        auto const* name = std::get_if<std::string>(&key);
        return name && *name == text;
    }

    // An exact key (the same string, or the same number) wins; a number then
    // matches its plural category; otherwise the default variant applies.
    Variant const& Scope::choose_variant(SelectExpression const& select)
    {
        Resolved const selector = resolve(*select.selector);
        auto const& variants = select.variants;
        auto const fallback
            = std::find_if(variants.begin(), variants.end(), [](Variant const& v) { return v.is_default; });
        auto const* text = std::get_if<std::string>(&selector);
        auto const* number = std::get_if<Number>(&selector);
        for (auto const& variant : variants) {
            if (text && key_is(variant.key, *text))
                return variant;
            auto const* key_number = std::get_if<NumberLiteral>(&variant.key);
            if (number && key_number && number->equals(number_from_literal(*key_number)))
                return variant;
        }
        if (number) {
            std::string const category = m_bundle.plural_category(*number);
            for (auto const& variant : variants) {
                if (key_is(variant.key, category))
                    return variant;
            }
        }
        return *fallback;
    }

}

std::string resolve_pattern(
    Bundle const& bundle, Pattern const& pattern, Arguments const* arguments, FormatErrors& errors)
{
    if (pattern.elements.size() == 1) {
        if (auto const* text = std::get_if<TextElement>(&pattern.elements.front()))
            return text->value;
    }
    std::string out;
    Scope(bundle, arguments, errors).write_pattern(pattern, out);
    return out;
}

}
