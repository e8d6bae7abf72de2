// The DTMF code list (list type 11): the sixteen codes that channels select, by number, with
// their digits. The codes are the columns of the one DTMF record, in order ("Code0" to
// "Code15"): row n of the list is column n of that record. A code without digits is not in use.
#include "lists/list_family.h"

#include "schema/cell_text.h"
#include "schema/typed_columns.h"

#include <string>

namespace r605 {

namespace {

using F = ListField;

class DtmfCodeRows final : public ListFamily {
public:
    explicit DtmfCodeRows(const ListContext& context)
        : m_columns(typedColumnsOf<Family::Dtmf>()), m_cells{context.language, context.bands} {}

    std::size_t size() const override { return kDtmfCodes; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return !codeOf(codeplug, entry).empty();
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override {
        if (field == F::Number)
            return cells::integerText(static_cast<std::int64_t>(entry + 1));
        return field == F::CodeValue ? codeOf(codeplug, entry) : std::string();
    }

    void reset(ImportWorkSet& work) const override {
        work.tables.dtmf.make().Codes.fill(DigitCode{});
    }

    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override {
        const std::string* cell = row.cell(F::CodeValue);
        if (!cell)
            return Status::success();
        if (Status status =
                m_columns.parseRecord(work.tables.dtmf.table(), slot, *cell, *work.base, m_cells);
            !status)
            return row.fail(F::CodeValue, status.error());
        return Status::success();
    }

private:
    std::string codeOf(const Codeplug& codeplug, std::size_t entry) const {
        return m_columns.format(codeplug, 0, entry, m_cells);
    }

    const TypedFamilyColumns<Family::Dtmf>& m_columns;
    ColumnContext m_cells;
};

} // namespace

std::unique_ptr<ListFamily> MakeDtmfCodeRows(const ListContext& context) {
    return std::make_unique<DtmfCodeRows>(context);
}

} // namespace r605
