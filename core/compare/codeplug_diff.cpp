#include "compare/codeplug_diff.h"

#include "compare/record_leaves.h"
#include "compare/record_naming.h"
#include "compare/text_table.h"
#include "schema/cell_text.h"
#include "schema/family_columns.h"
#include "schema/family_tables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <unordered_set>

namespace r605 {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::uint32_t kNoEntry = static_cast<std::uint32_t>(-1);
constexpr char kKeySeparator = '\x1f';

// A channel's copy of its transmit contact's number as the radio last held it: the contact
// compaction before a write does not follow it, so it would differ wherever contacts moved. The
// contact itself is compared by name.
bool ignoredField(std::string_view field) {
    return field == "ContactRaw";
}

// The flag that says a record is in use: records compared are in use on both sides, whatever
// value above 0 the flag holds.
bool isInUseFlag(Family family, std::string_view field) {
    return field == "Used" && familyInfo(family).inUse == InUseRule::UsedFlag;
}

// The column that tells records of one name apart.
std::string_view keyColumnOf(Family family) {
    switch (family) {
    case Family::Channel:
    case Family::RoamChannel:
        return "RxFreq";
    case Family::Person:
    case Family::Contact:
        return "Id";
    default:
        return {};
    }
}

struct ComparedColumn {
    std::size_t index;
    const ColumnInfo* info;
    bool derived; // worked out of several fields: no field of the record has its name
    std::string heading;
};

// How one family with columns is compared.
struct FamilyPlan {
    const FamilyColumns* columns = nullptr;
    std::optional<std::size_t> nameColumn;
    std::vector<std::size_t> keyColumns;
    std::vector<std::size_t> keyPosition; // by column: its place in keyColumns, or kNone
    std::vector<ComparedColumn> compared;
    std::unordered_set<std::string> shownFields; // the record fields the columns show
    bool storedOnlyFields = false;               // the records have fields no column shows
    std::vector<Family> dependsOn;               // families whose records the cells show
};

// A column whose text is looked up in other records: a reference, or a text worked out of the
// record (a logged moment, the contact name of a logged radio ID).
bool showsOtherRecords(const ColumnInfo& column) {
    return column.reference.has_value() || (column.kind == ColumnKind::Text && column.length == 0);
}

// R: the family's record type.
template <class R> FamilyPlan planOf(Family familyOfRecords, const FamilyColumns& columns) {
    FamilyPlan plan;
    plan.columns = &columns;
    const auto infos = columns.columns();
    const std::vector<Field> fields = fieldsOf<R>();
    const FamilyInfo& family = familyInfo(familyOfRecords);
    for (std::size_t c = 0; c < infos.size(); ++c) {
        const ColumnInfo& info = infos[c];
        if (info.kind == ColumnKind::Number)
            continue;
        const bool isField = std::any_of(fields.begin(), fields.end(), [&](const Field& field) {
            return field.name == info.field;
        });
        plan.compared.push_back({c, &info, !isField, {}});
        plan.shownFields.emplace(info.field);
        if (info.reference)
            plan.dependsOn.push_back(info.reference->target);
        else if (showsOtherRecords(info))
            plan.dependsOn.push_back(Family::Contact);
        if (!family.nameField.empty() && info.name == family.nameField)
            plan.nameColumn = c;
    }
    plan.storedOnlyFields = std::any_of(fields.begin(), fields.end(), [&](const Field& field) {
        return field.use != FieldUse::Number && field.use != FieldUse::Unencoded &&
               !ignoredField(field.name) && !isInUseFlag(familyOfRecords, field.name) &&
               plan.shownFields.count(std::string(field.name)) == 0;
    });
    if (plan.nameColumn) {
        plan.keyColumns.push_back(*plan.nameColumn);
        if (const auto key = columns.columnNamed(keyColumnOf(familyOfRecords)))
            plan.keyColumns.push_back(*key);
    } else {
        for (const ComparedColumn& column : plan.compared) {
            if (!showsOtherRecords(*column.info))
                plan.keyColumns.push_back(column.index);
        }
    }
    plan.keyPosition.assign(infos.size(), kNone);
    for (std::size_t k = 0; k < plan.keyColumns.size(); ++k)
        plan.keyPosition[plan.keyColumns[k]] = k;
    return plan;
}

// The in-use records of one codeplug, with the texts of their key columns (the name first, when
// the family has names) and their keys worked out when first asked for, and then kept: records
// that stayed as they were need neither, and the cells of a changed record are not shown twice.
class Side {
public:
    // `inUseFlags`: by entry, whether the record is in use.
    Side(const FamilyPlan& plan, const Codeplug& codeplug, const ColumnContext& context,
         std::vector<char> inUseFlags)
        : inUse(std::move(inUseFlags)), m_plan(&plan), m_codeplug(&codeplug), m_context(&context) {
        for (std::size_t entry = 0; entry < inUse.size(); ++entry) {
            if (inUse[entry])
                used.push_back(entry);
        }
    }

    const std::string& name(std::size_t entry) const {
        return m_plan->nameColumn ? keyCell(0, entry) : m_noName;
    }

    // The text of key column `k` (an index into the plan's key columns).
    const std::string& keyCell(std::size_t k, std::size_t entry) const {
        const std::size_t columns = m_plan->keyColumns.size();
        if (m_cells.empty())
            m_cells.assign(inUse.size() * columns, kNoText);
        std::uint32_t& text = m_cells[entry * columns + k];
        if (text == kNoText) {
            text = static_cast<std::uint32_t>(m_texts.size());
            m_texts.push_back(
                m_plan->columns->format(*m_codeplug, entry, m_plan->keyColumns[k], *m_context));
        }
        return m_texts[text];
    }

    const std::string& key(std::size_t entry) const {
        if (m_keys.empty())
            m_keys.assign(inUse.size(), kNoText);
        std::uint32_t& text = m_keys[entry];
        if (text == kNoText) {
            const std::size_t columns = m_plan->keyColumns.size();
            std::size_t length = columns;
            for (std::size_t k = 0; k < columns; ++k)
                length += keyCell(k, entry).size();
            std::string key;
            key.reserve(length);
            for (std::size_t k = 0; k < columns; ++k) {
                key += keyCell(k, entry);
                key.push_back(kKeySeparator);
            }
            text = static_cast<std::uint32_t>(m_texts.size());
            m_texts.push_back(std::move(key));
        }
        return m_texts[text];
    }

    // The text of a cell: kept for key columns, else formatted into `scratch`.
    const std::string& cell(const ComparedColumn& column, std::size_t entry,
                            std::string& scratch) const {
        if (const std::size_t k = m_plan->keyPosition[column.index]; k != kNone)
            return keyCell(k, entry);
        scratch = m_plan->columns->format(*m_codeplug, entry, column.index, *m_context);
        return scratch;
    }

    std::vector<char> inUse;
    std::vector<std::size_t> used;

private:
    static constexpr std::uint32_t kNoText = static_cast<std::uint32_t>(-1);

    const FamilyPlan* m_plan;
    const Codeplug* m_codeplug;
    const ColumnContext* m_context;
    // The texts worked out (a deque: they stay put while more are added), and by entry (then key
    // column) where each is; both tables made when first needed.
    mutable std::deque<std::string> m_texts;
    mutable std::vector<std::uint32_t> m_cells;
    mutable std::vector<std::uint32_t> m_keys;
    std::string m_noName;
};

struct Matching {
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    std::vector<std::size_t> removed;
    std::vector<std::size_t> added;
    Side a;
    Side b;
    std::vector<char> same; // by entry: in use on both sides with the same values
};

// `same`: by entry, whether the record is in use in both codeplugs with the same values.
// `inUseA`, `inUseB`: by entry, whether the record is in use in A, in B.
Matching match(const FamilyPlan& plan, const Codeplug& a, const Codeplug& b,
               const ColumnContext& context, std::vector<char> inUseA, std::vector<char> inUseB,
               std::vector<char> same) {
    const std::size_t size = same.size();
    Matching m{{},
               {},
               {},
               Side(plan, a, context, std::move(inUseA)),
               Side(plan, b, context, std::move(inUseB)),
               std::move(same)};
    std::vector<std::size_t> partnerOfA(size, kNone);
    std::vector<std::size_t> partnerOfB(size, kNone);
    const auto pair = [&](std::size_t ea, std::size_t eb) {
        partnerOfA[ea] = eb;
        partnerOfB[eb] = ea;
    };
    for (const std::size_t entry : m.a.used) {
        if (m.same[entry] || (m.b.inUse[entry] && m.a.key(entry) == m.b.key(entry)))
            pair(entry, entry);
    }
    // Records of equal texts at other numbers, paired in ascending order on both sides (the
    // compaction keeps the order of the contacts it moves).
    std::vector<std::uint32_t> next; // by entry of B: the next one waiting with the same text
    const auto pairByText = [&](auto&& text) {
        std::size_t waiting = 0;
        for (const std::size_t entry : m.b.used)
            waiting += partnerOfB[entry] == kNone ? 1 : 0;
        if (waiting == 0)
            return;
        // By text, the first of B's records waiting for a partner, each linked to the next.
        TextTable first(waiting);
        next.resize(size);
        for (auto it = m.b.used.rbegin(); it != m.b.used.rend(); ++it) {
            if (partnerOfB[*it] != kNone)
                continue;
            std::uint32_t& head = first.insert(text(m.b, *it), kNoEntry);
            next[*it] = head;
            head = static_cast<std::uint32_t>(*it);
        }
        for (const std::size_t entry : m.a.used) {
            if (partnerOfA[entry] != kNone)
                continue;
            std::uint32_t* const head = first.find(text(m.a, entry));
            if (head == nullptr || *head == kNoEntry)
                continue;
            pair(entry, *head);
            *head = next[*head];
        }
    };
    pairByText(
        [](const Side& side, std::size_t entry) -> const std::string& { return side.key(entry); });
    if (plan.nameColumn)
        pairByText([](const Side& side, std::size_t entry) -> const std::string& {
            return side.name(entry);
        });
    for (const std::size_t entry : m.a.used) {
        if (partnerOfA[entry] == kNone && m.b.inUse[entry] && partnerOfB[entry] == kNone)
            pair(entry, entry);
    }
    for (const std::size_t entry : m.a.used) {
        if (partnerOfA[entry] == kNone)
            m.removed.push_back(entry);
        else
            m.pairs.emplace_back(entry, partnerOfA[entry]);
    }
    for (const std::size_t entry : m.b.used) {
        if (partnerOfB[entry] == kNone)
            m.added.push_back(entry);
    }
    return m;
}

// A's names of the matched records that B holds under another name. A name that two records of
// A carry, renamed differently, stays out: which one a reference meant cannot be told.
struct Renames {
    // Views of the names the matchings hold, which stay put until the comparison ends.
    std::unordered_map<std::string_view, std::string_view> to;
    std::unordered_set<std::string_view> ambiguous;

    void add(std::string_view before, std::string_view after) {
        if (before.empty() || ambiguous.count(before))
            return;
        const auto [it, inserted] = to.emplace(before, after);
        if (!inserted && it->second != after) {
            to.erase(it);
            ambiguous.insert(before);
        }
    }
    std::string_view operator()(std::string_view name) const {
        const auto it = to.find(name);
        return it == to.end() ? name : it->second;
    }
};

// Whether A's text of a reference cell, with the names of renamed records as B calls them, is
// B's text.
bool sameAsNamedInB(std::string_view before, std::string_view after, const ColumnInfo& column,
                    const Renames& renames) {
    if (renames.to.empty())
        return before == after;
    if (column.kind == ColumnKind::Reference)
        return renames(before) == after;
    // A member list: A's members renamed and joined again, compared as they come.
    std::size_t at = 0;
    for (std::size_t start = 0; start <= before.size();) {
        const std::size_t end = std::min(before.find(kMemberSeparator, start), before.size());
        if (start > 0) {
            if (at >= after.size() || after[at] != kMemberSeparator)
                return false;
            ++at;
        }
        const std::string_view name = renames(before.substr(start, end - start));
        if (after.substr(at, name.size()) != name)
            return false;
        at += name.size();
        start = end + 1;
    }
    return at == after.size();
}

template <class R> bool sameValues(const R& a, const R& b) {
    if constexpr (requires { a.Number; }) {
        if (a.Number != b.Number) {
            R moved = b;
            moved.Number = a.Number;
            return a == moved;
        }
    }
    return a == b;
}

// The stored fields that differ, each by its path; `skip` leaves out fields shown otherwise.
template <class R, class Skip>
void addFieldDifferences(const R& a, const R& b, Skip&& skip, std::vector<FieldDifference>& out,
                         std::string_view rootName = {}) {
    const auto addLeaves = [&](std::vector<RecordLeaf>& before, std::vector<RecordLeaf>& after) {
        for (std::size_t k = 0; k < before.size() && k < after.size(); ++k) {
            if (before[k].text == after[k].text || ignoredField(before[k].field) ||
                skip(before[k].field))
                continue;
            out.push_back({before[k].name, std::nullopt, std::move(before[k].field),
                           std::move(before[k].name), std::move(before[k].text),
                           std::move(after[k].text)});
        }
    };
    if constexpr (DescribedRecord<R>) {
        // Field by field: a field that holds the same value on both sides has the same texts,
        // and its leaves are not worked out.
        std::vector<const void*> membersOfB;
        forEachField(b, [&](const Field&, const auto& member) { membersOfB.push_back(&member); });
        std::size_t k = 0;
        std::vector<RecordLeaf> before;
        std::vector<RecordLeaf> after;
        forEachField(a, [&](const Field& field, const auto& member) {
            using M = std::remove_cvref_t<decltype(member)>;
            const auto& other = *static_cast<const M*>(membersOfB[k++]);
            if (field.use == FieldUse::Number || field.use == FieldUse::Unencoded)
                return;
            if constexpr (std::equality_comparable<M>) {
                if (member == other)
                    return;
            }
            const std::string name(field.name);
            if (ignoredField(name) || skip(name))
                return;
            before.clear();
            after.clear();
            leaves::add(name, name, member, before);
            leaves::add(name, name, other, after);
            addLeaves(before, after);
        });
    } else {
        std::vector<RecordLeaf> before = recordLeaves(a, rootName);
        std::vector<RecordLeaf> after = recordLeaves(b, rootName);
        addLeaves(before, after);
    }
}

template <class R> std::string nameOfRecord(const R& record) {
    if constexpr (requires { record.Name; })
        return leaves::textValue(record.Name);
    else
        return {};
}

class Comparison {
public:
    Comparison(const Codeplug& a, const Codeplug& b, const ColumnContext& context)
        : m_a(a), m_b(b), m_context(context) {}

    CodeplugDiff run() {
        forEachFamilyPair(m_a, m_b, [&](const FamilyInfo& info, const auto& a, const auto& b) {
            m_equal[index(info.family)] = a == b;
        });
        matchFamilies();
        forEachFamilyPair(m_a, m_b, [&](const FamilyInfo& info, const auto& a, const auto& b) {
            compareFamily(info.family, a, b);
        });
        return std::move(m_diff);
    }

private:
    static std::size_t index(Family family) { return static_cast<std::size_t>(family); }

    // Pass 1: every family with columns is matched before any cell is compared, so that a
    // reference can be followed into a family that comes later.
    void matchFamilies() {
        forEachFamilyPair(m_a, m_b, [&](const FamilyInfo& info, const auto& a, const auto& b) {
            using M = std::remove_cvref_t<decltype(a)>;
            if constexpr (kIsTable<M>) {
                if (const FamilyColumns* columns = columnsOf(info.family))
                    matchFamily(info.family, planOf<typename M::value_type>(info.family, *columns),
                                a, b);
            }
        });
    }

    template <class T> void matchFamily(Family family, FamilyPlan plan, const T& a, const T& b) {
        const std::size_t f = index(family);
        for (ComparedColumn& column : plan.compared)
            column.heading = columnHeading(family, column.index, m_context.language);
        m_plans[f] = std::move(plan);
        if (unchanged(*m_plans[f], family))
            return;
        std::vector<char> inUseA(a.size(), 0);
        std::vector<char> inUseB(a.size(), 0);
        std::vector<char> same(a.size(), 0);
        for (std::size_t entry = 0; entry < a.size(); ++entry) {
            inUseA[entry] = recordInUse(a[entry]);
            inUseB[entry] = recordInUse(b[entry]);
            same[entry] = inUseA[entry] && inUseB[entry] && a[entry] == b[entry];
        }
        m_matchings[f] = match(*m_plans[f], m_a, m_b, m_context, std::move(inUseA),
                               std::move(inUseB), std::move(same));
        // The names are looked up where they stay until the comparison ends.
        const Matching& m = *m_matchings[f];
        for (const auto& [ea, eb] : m.pairs) {
            if (ea == eb && m.same[ea])
                continue;
            if (m.a.name(ea) != m.b.name(eb))
                m_renames[f].add(m.a.name(ea), m.b.name(eb));
        }
    }

    // The family and everything its cells show are the same in both codeplugs.
    bool unchanged(const FamilyPlan& plan, Family family) const {
        return m_equal[index(family)] && dependenciesEqual(plan);
    }

    bool dependenciesEqual(const FamilyPlan& plan) const {
        return std::all_of(plan.dependsOn.begin(), plan.dependsOn.end(),
                           [&](Family family) { return m_equal[index(family)]; });
    }

    template <class M> void compareFamily(Family family, const M& a, const M& b) {
        if constexpr (kIsTable<M>) {
            if (m_plans[index(family)])
                compareByColumns(family, a, b);
            else if (!m_equal[index(family)])
                compareByNumber(family, a, b);
        } else {
            if (m_equal[index(family)])
                return;
            RecordDifference record{family, RecordChange::Changed, 0, 0, true, {}, {}};
            addFieldDifferences(
                a, b, [](const std::string&) { return false; }, record.fields,
                familyInfo(family).jsonName);
            if (!record.fields.empty())
                m_diff.records.push_back(std::move(record));
        }
    }

    template <class T> void compareByColumns(Family family, const T& a, const T& b) {
        const std::size_t f = index(family);
        if (!m_matchings[f])
            return;
        const FamilyPlan& plan = *m_plans[f];
        const Matching& m = *m_matchings[f];
        const bool dependencies = dependenciesEqual(plan);
        const std::size_t first = m_diff.records.size();
        for (const auto& [ea, eb] : m.pairs) {
            if (ea == eb && m.same[ea] && dependencies)
                continue;
            RecordDifference record{family, RecordChange::Changed, ea, eb, false, {}, {}};
            const bool same = sameValues(a[ea], b[eb]);
            if (!same || !dependencies)
                compareCells(plan, m, ea, eb, record.fields);
            if (!same && plan.storedOnlyFields) {
                const bool derivedChanged =
                    std::any_of(record.fields.begin(), record.fields.end(),
                                [&](const FieldDifference& d) { return isDerived(plan, d); });
                const std::size_t cells = record.fields.size();
                addFieldDifferences(
                    a[ea], b[eb],
                    [&](const std::string& field) {
                        return plan.shownFields.count(field) != 0 || isInUseFlag(family, field);
                    },
                    record.fields);
                for (std::size_t k = cells; k < record.fields.size(); ++k)
                    record.fields[k].listed = !derivedChanged;
            }
            if (record.fields.empty() && !record.renumbered())
                continue;
            record.name = m.a.name(ea);
            m_diff.records.push_back(std::move(record));
        }
        for (const std::size_t entry : m.removed)
            m_diff.records.push_back(
                {family, RecordChange::Removed, entry, std::nullopt, false, m.a.name(entry), {}});
        for (const std::size_t entry : m.added)
            m_diff.records.push_back(
                {family, RecordChange::Added, std::nullopt, entry, false, m.b.name(entry), {}});
        sortFrom(first);
    }

    static bool isDerived(const FamilyPlan& plan, const FieldDifference& difference) {
        if (!difference.columnIndex)
            return false;
        return std::any_of(plan.compared.begin(), plan.compared.end(), [&](const auto& column) {
            return column.index == *difference.columnIndex && column.derived;
        });
    }

    void compareCells(const FamilyPlan& plan, const Matching& m, std::size_t ea, std::size_t eb,
                      std::vector<FieldDifference>& out) {
        const std::size_t columns = plan.compared.size();
        m_before.resize(columns);
        m_after.resize(columns);
        m_differing.clear();
        for (std::size_t k = 0; k < columns; ++k) {
            const ComparedColumn& column = plan.compared[k];
            const std::string& before = m.a.cell(column, ea, m_before[k]);
            const std::string& after = m.b.cell(column, eb, m_after[k]);
            if (before == after)
                continue;
            if (column.info->reference &&
                sameAsNamedInB(before, after, *column.info,
                               m_renames[index(column.info->reference->target)]))
                continue;
            // Texts kept by the sides are copied; formatted ones are already in place.
            if (&before != &m_before[k])
                m_before[k] = before;
            if (&after != &m_after[k])
                m_after[k] = after;
            m_differing.push_back(k);
        }
        out.reserve(out.size() + m_differing.size());
        for (const std::size_t k : m_differing) {
            const ComparedColumn& column = plan.compared[k];
            // Braces, not emplace_back's parentheses: clang builds the fuzzers and takes no
            // parenthesised initialisation of an aggregate.
            out.push_back(FieldDifference{std::string(column.info->name), column.index,
                                          std::string(), column.heading, std::move(m_before[k]),
                                          std::move(m_after[k]), true});
        }
    }

    // Tables without columns: record n of A against record n of B.
    template <class T> void compareByNumber(Family family, const T& a, const T& b) {
        const std::size_t first = m_diff.records.size();
        std::vector<RecordDifference>& found = m_diff.records;
        for (std::size_t entry = 0; entry < a.size(); ++entry) {
            const bool inA = recordInUse(a[entry]);
            const bool inB = recordInUse(b[entry]);
            if (inA && inB) {
                RecordDifference record{family, RecordChange::Changed,  entry, entry,
                                        false,  nameOfRecord(a[entry]), {}};
                if (!sameValues(a[entry], b[entry]))
                    addFieldDifferences(
                        a[entry], b[entry],
                        [&](const std::string& field) { return isInUseFlag(family, field); },
                        record.fields);
                if (!record.fields.empty())
                    found.push_back(std::move(record));
            } else if (inA) {
                found.push_back({family,
                                 RecordChange::Removed,
                                 entry,
                                 std::nullopt,
                                 false,
                                 nameOfRecord(a[entry]),
                                 {}});
            } else if (inB) {
                found.push_back({family,
                                 RecordChange::Added,
                                 std::nullopt,
                                 entry,
                                 false,
                                 nameOfRecord(b[entry]),
                                 {}});
            }
        }
        sortFrom(first);
    }

    // A family's records (those from `first` on) by number: A's for records A holds, B's for
    // added ones; a removed record before one added at its number.
    void sortFrom(std::size_t first) {
        const auto order = [](const RecordDifference& r) {
            return std::pair(r.entryA ? *r.entryA : *r.entryB, r.entryA ? 0 : 1);
        };
        const auto before = [&](const auto& x, const auto& y) { return order(x) < order(y); };
        const auto begin = m_diff.records.begin() + static_cast<std::ptrdiff_t>(first);
        if (!std::is_sorted(begin, m_diff.records.end(), before))
            std::stable_sort(begin, m_diff.records.end(), before);
    }

    const Codeplug& m_a;
    const Codeplug& m_b;
    const ColumnContext& m_context;
    std::array<bool, kFamilyCount> m_equal{};
    std::array<std::optional<FamilyPlan>, kFamilyCount> m_plans;
    std::array<std::optional<Matching>, kFamilyCount> m_matchings;
    std::array<Renames, kFamilyCount> m_renames;
    CodeplugDiff m_diff;
    // The texts of one record's cells while they are compared.
    std::vector<std::string> m_before;
    std::vector<std::string> m_after;
    std::vector<std::size_t> m_differing;
};

} // namespace

DiffCounts CodeplugDiff::counts() const {
    DiffCounts counts;
    for (const RecordDifference& record : records) {
        switch (record.change) {
        case RecordChange::Added:
            ++counts.added;
            break;
        case RecordChange::Removed:
            ++counts.removed;
            break;
        case RecordChange::Changed:
            counts.changed += record.fields.empty() ? 0 : 1;
            counts.renumbered += record.renumbered() ? 1 : 0;
            break;
        }
    }
    return counts;
}

CodeplugDiff compareCodeplugs(const Codeplug& a, const Codeplug& b, const ColumnContext& context) {
    return Comparison(a, b, context).run();
}

} // namespace r605
