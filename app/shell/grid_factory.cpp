#include "shell/grid_factory.h"

namespace r605 {

std::unique_ptr<EditSession> makeEditSession(Document& document, const Language& language) {
    return std::make_unique<EditSession>(document, language);
}

GridWidget* makeRecordGrid(EditSession& session, int grid, QWidget* parent) {
    return new GridWidget(session, grid, parent);
}

void setGridContactPage(GridWidget&, int) {}

} // namespace r605
