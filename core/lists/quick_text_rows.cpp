// The quick texts (list type 6): the prepared text messages of the radio (the third text
// message table), one text per row.
#include "schema/cell_text.h"
#include "lists/list_family.h"
#include "schema/record_names.h"

namespace r605 {

namespace {

using F = ListField;

class QuickTextRows final : public ListFamily {
public:
    std::size_t size() const override { return kTextMessageCount; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return codeplug.TextMessage3[entry].Used != 0;
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override {
        if (field == F::Number)
            return std::to_string(entry + 1);
        if (field == F::MessageText)
            return NameKey(codeplug.TextMessage3[entry].Text);
        return {};
    }

    void reset(ImportWorkSet& work) const override {
        work.tables.TextMessage3.make();
        for (std::size_t n = 0; n < kTextMessageCount; ++n) {
            work.tables.TextMessage3[n] = TextMessageRec{};
            work.tables.TextMessage3[n].Number = static_cast<std::int16_t>(n + 1);
        }
    }

    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override {
        const TextMessageRec* kept =
            work.keptRecord(ListTable::QuickTexts, work.base->TextMessage3, slot);
        TextMessageRec record = kept ? *kept : TextMessageRec{};
        record.Number = static_cast<std::int16_t>(slot + 1);
        record.Used = 1;
        if (const std::string* cell = row.cell(F::MessageText))
            record.Text = TextFieldCell(*cell, kTextMessageLength);
        work.tables.TextMessage3[slot] = std::move(record);
        return Status::success();
    }
};

} // namespace

std::unique_ptr<ListFamily> MakeQuickTextRows(const ListContext&) {
    return std::make_unique<QuickTextRows>();
}

} // namespace r605
