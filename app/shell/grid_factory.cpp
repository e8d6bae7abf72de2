#include "shell/grid_factory.h"

#include "models/family_table_model.h"

namespace r605 {

std::unique_ptr<EditSession> makeEditSession(Document& document, const Language& language) {
    return std::make_unique<EditSession>(document, language);
}

GridWidget* makeRecordGrid(EditSession& session, int grid, QWidget* parent) {
    return new GridWidget(session, grid, parent);
}

void setGridContactPage(GridWidget& grid, int page) {
    grid.records().setContactPage(page);
}

} // namespace r605
