#pragma once
// How the columns of a record type are made: one builder per column kind, given the record's
// member. Ranges and text lengths come from the record's own field description (describe()), so
// that nothing is described twice; the builders add what a field means (its value texts, the
// family it references). Used by the family column tables only.

#include "model/field.h"
#include "schema/cell_text.h"
#include "schema/column_kinds.h"
#include "schema/typed_columns.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

template <class M> struct MemberTraits;
template <class R, class V> struct MemberTraits<V R::*> {
    using Record = R;
    using Value = V;
};
template <auto M> using RecordOfField = typename MemberTraits<decltype(M)>::Record;
template <auto M> using ValueOfField = typename MemberTraits<decltype(M)>::Value;

// The field description of the member named `name` (an empty description when there is none).
template <class R> Field fieldOf(std::string_view name) {
    Field found{name};
    R record{};
    forEachField(record, [&](const Field& field, auto&) {
        if (field.name == name)
            found = field;
    });
    return found;
}

template <class V> std::int64_t asInteger(V value) {
    return static_cast<std::int64_t>(value);
}

// The record's own number: its place in the table. It is shown, never read back into a record.
template <class R> TypedColumn<R> numberColumn() {
    return {ColumnInfo{"Number", ColumnKind::Number},
            [](const ColumnInfo&, const R&, std::size_t entry, const Codeplug&,
               const ColumnContext&) { return cells::integerText(asInteger(entry + 1)); },
            [](const ColumnInfo&, R&, std::string_view, const Codeplug&, const ColumnContext&) {
                return Status(Error::literal("the number is the record's place in its table"));
            }};
}

template <auto M> TypedColumn<RecordOfField<M>> textColumn(std::string_view name) {
    using R = RecordOfField<M>;
    ColumnInfo info{name, ColumnKind::Text};
    info.length = fieldOf<R>(info.field).length;
    return {info,
            [](const ColumnInfo&, const R& r, std::size_t, const Codeplug&, const ColumnContext&) {
                return cells::text(r.*M);
            },
            [](const ColumnInfo& i, R& r, std::string_view text, const Codeplug&,
               const ColumnContext&) -> Status {
                r.*M = cells::fixedText(text, static_cast<std::size_t>(i.length));
                return Status::success();
            }};
}

template <auto M> TypedColumn<RecordOfField<M>> frequencyColumn(std::string_view name) {
    using R = RecordOfField<M>;
    return {ColumnInfo{name, ColumnKind::Frequency},
            [](const ColumnInfo&, const R& r, std::size_t, const Codeplug&, const ColumnContext&) {
                return cells::frequency(r.*M);
            },
            [](const ColumnInfo&, R& r, std::string_view text, const Codeplug&,
               const ColumnContext& context) -> Status {
                auto value = cells::frequency(text, context);
                if (!value)
                    return value.error();
                r.*M = *value;
                return Status::success();
            }};
}

// A whole number within the field's range; kind Enumerated with value texts, OnOff, Integer or
// Decimal (the value held in units of 10^-decimals).
template <auto M>
TypedColumn<RecordOfField<M>> numericColumn(std::string_view name, std::string_view fieldName,
                                            ColumnKind kind, std::span<const TextKey> texts = {},
                                            int decimals = 0) {
    using R = RecordOfField<M>;
    ColumnInfo info{name, kind, fieldName};
    const Field field = fieldOf<R>(info.field);
    info.valueTexts = texts;
    info.decimals = decimals;
    info.min = static_cast<std::int64_t>(field.hasRange() ? field.min : 0);
    info.max = static_cast<std::int64_t>(field.hasRange() ? field.max : 255);
    return {info,
            [](const ColumnInfo& i, const R& r, std::size_t, const Codeplug&,
               const ColumnContext& context) -> std::string {
                switch (i.kind) {
                case ColumnKind::Enumerated:
                case ColumnKind::OnOff:
                    return cells::enumerated(i, asInteger(r.*M), context);
                case ColumnKind::Decimal:
                    return cells::decimal(asInteger(r.*M), i.decimals);
                default:
                    return cells::integerText(asInteger(r.*M));
                }
            },
            [](const ColumnInfo& i, R& r, std::string_view text, const Codeplug&,
               const ColumnContext& context) -> Status {
                Result<std::int64_t> value =
                    i.kind == ColumnKind::Decimal   ? cells::decimal(text, i.min, i.max, i.decimals)
                    : i.kind == ColumnKind::Integer ? cells::integer(text, i.min, i.max)
                                                    : cells::enumerated(i, text, context);
                if (!value)
                    return value.error();
                r.*M = static_cast<ValueOfField<M>>(*value);
                return Status::success();
            }};
}

// An option shown by its value texts; `fieldName` names the member when the column's name says
// what a member without a name of its own means.
template <auto M>
TypedColumn<RecordOfField<M>> enumColumn(std::string_view name, std::span<const TextKey> texts,
                                         std::string_view fieldName = {}) {
    return numericColumn<M>(name, fieldName, ColumnKind::Enumerated, texts);
}
template <auto M>
TypedColumn<RecordOfField<M>> onOffColumn(std::string_view name, std::string_view fieldName = {}) {
    return numericColumn<M>(name, fieldName, ColumnKind::OnOff);
}
template <auto M>
TypedColumn<RecordOfField<M>> integerColumn(std::string_view name,
                                            std::string_view fieldName = {}) {
    return numericColumn<M>(name, fieldName, ColumnKind::Integer);
}
template <auto M>
TypedColumn<RecordOfField<M>> decimalColumn(std::string_view name, int decimals,
                                            std::string_view fieldName = {}) {
    return numericColumn<M>(name, fieldName, ColumnKind::Decimal, {}, decimals);
}

// A tone in hertz with one decimal, held in tenths of a hertz (a channel's user-defined CTCSS
// tone, the tones of a 2-tone pair).
template <auto M>
TypedColumn<RecordOfField<M>> hertzColumn(std::string_view name, std::string_view fieldName = {}) {
    using R = RecordOfField<M>;
    TypedColumn<R> column = decimalColumn<M>(name, 1, fieldName);
    column.parse = [](const ColumnInfo& i, R& r, std::string_view text, const Codeplug&,
                      const ColumnContext&) -> Status {
        auto value = cells::decimal(text, i.min, i.max, i.decimals, "a tone", " Hz");
        if (!value)
            return value.error();
        r.*M = static_cast<ValueOfField<M>>(*value);
        return Status::success();
    };
    return column;
}

// Hexadecimal (keys) or decimal digit texts.
template <auto M>
TypedColumn<RecordOfField<M>> digitsColumn(std::string_view name, ColumnKind kind) {
    using R = RecordOfField<M>;
    ColumnInfo info{name, kind};
    info.length = fieldOf<R>(info.field).length;
    return {info,
            [](const ColumnInfo&, const R& r, std::size_t, const Codeplug&, const ColumnContext&) {
                return cells::text(r.*M);
            },
            [](const ColumnInfo& i, R& r, std::string_view text, const Codeplug&,
               const ColumnContext&) -> Status {
                auto value = i.kind == ColumnKind::HexText ? cells::hexDigits(text, i.length)
                                                           : cells::decimalDigits(text, i.length);
                if (!value)
                    return value.error();
                r.*M = std::move(*value);
                return Status::success();
            }};
}

template <auto M>
TypedColumn<RecordOfField<M>> referenceColumn(std::string_view name, ReferenceRule rule,
                                              std::string_view fieldName = {}) {
    using R = RecordOfField<M>;
    ColumnInfo info{name, ColumnKind::Reference, fieldName};
    info.reference = rule;
    return {info,
            [](const ColumnInfo& i, const R& r, std::size_t, const Codeplug& codeplug,
               const ColumnContext&) {
                return cells::referenceName(codeplug, *i.reference, asInteger(r.*M));
            },
            [](const ColumnInfo& i, R& r, std::string_view text, const Codeplug& codeplug,
               const ColumnContext&) -> Status {
                auto value = cells::referenceValue(codeplug, *i.reference, text);
                if (!value)
                    return value.error();
                r.*M = static_cast<ValueOfField<M>>(*value);
                return Status::success();
            }};
}

// A member list held as an array with a count (zones, scan lists, group lists, roaming zones).
template <auto Members, auto Count>
TypedColumn<RecordOfField<Members>> membersColumn(std::string_view name, ReferenceRule rule) {
    using R = RecordOfField<Members>;
    ColumnInfo info{name, ColumnKind::Members};
    info.reference = rule;
    return {info,
            [](const ColumnInfo& i, const R& r, std::size_t, const Codeplug& codeplug,
               const ColumnContext&) {
                const auto& members = r.*Members;
                const std::size_t count = static_cast<std::size_t>(std::clamp<std::int64_t>(
                    asInteger(r.*Count), 0, static_cast<std::int64_t>(members.size())));
                std::vector<std::int64_t> values;
                for (std::size_t k = 0; k < count; ++k)
                    values.push_back(asInteger(members[k]));
                return cells::memberNames(codeplug, *i.reference, values);
            },
            [](const ColumnInfo& i, R& r, std::string_view text, const Codeplug& codeplug,
               const ColumnContext&) -> Status {
                auto& members = r.*Members;
                auto values = cells::memberValues(codeplug, *i.reference, text, members.size());
                if (!values)
                    return values.error();
                using Element = std::remove_cvref_t<decltype(members[0])>;
                members.fill(static_cast<Element>(i.reference->none));
                for (std::size_t k = 0; k < values->size(); ++k)
                    members[k] = static_cast<Element>((*values)[k]);
                r.*Count = static_cast<ValueOfField<Count>>(values->size());
                return Status::success();
            }};
}

// A value worked out from several members, shown but not read back (the date and time of a log
// entry, the name of the contact a logged radio ID belongs to).
template <class R>
TypedColumn<R> shownColumn(std::string_view name, ColumnKind kind,
                           std::string (*format)(const ColumnInfo&, const R&, std::size_t,
                                                 const Codeplug&, const ColumnContext&)) {
    return {ColumnInfo{name, kind}, format,
            [](const ColumnInfo&, R&, std::string_view, const Codeplug&,
               const ColumnContext&) -> Status {
                return Error::literal("the value is worked out from the record, not typed");
            }};
}

} // namespace r605
