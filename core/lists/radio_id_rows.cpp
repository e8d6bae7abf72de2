// The radio ID list (list type 1): the IDs with which the radio transmits, by number and name.
#include "schema/cell_text.h"
#include "lists/list_family.h"
#include "schema/record_names.h"

namespace r605 {

namespace {

using F = ListField;

class RadioIdRows final : public ListFamily {
public:
    std::size_t size() const override { return kPersonCount; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return codeplug.Person[entry].Used != 0;
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override {
        const PersonRec& person = codeplug.Person[entry];
        switch (field) {
        case F::Number:
            return std::to_string(entry + 1);
        case F::Id:
            return std::to_string(person.Id);
        case F::Name:
            return NameKey(person.Name);
        default:
            return {};
        }
    }

    void reset(ImportWorkSet& work) const override {
        work.tables.Person.make();
        for (std::size_t n = 0; n < kPersonCount; ++n) {
            PersonRec& person = work.tables.Person[n];
            person = PersonRec{};
            person.Number = static_cast<std::int16_t>(n + 1);
        }
    }

    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override {
        const PersonRec* kept = work.keptRecord(ListTable::RadioIds, work.base->Person, slot);
        PersonRec person = kept ? *kept : PersonRec{};
        person.Number = static_cast<std::int16_t>(slot + 1);
        person.Used = 1;
        if (const std::string* id = row.cell(F::Id)) {
            // The radio stores the ID as eight decimal digits.
            auto value = ParseIntegerCell(*id, 0, 99999999);
            if (!value)
                return row.fail(F::Id, value.error());
            person.Id = static_cast<std::int32_t>(*value);
        }
        if (const std::string* name = row.cell(F::Name))
            person.Name = TextFieldCell(*name, 16);
        work.tables.Person[slot] = std::move(person);
        return Status::success();
    }
};

} // namespace

std::unique_ptr<ListFamily> MakeRadioIdRows(const ListContext&) {
    return std::make_unique<RadioIdRows>();
}

} // namespace r605
