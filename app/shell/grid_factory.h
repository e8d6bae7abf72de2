#pragma once
// The record grids of the main window and the session they edit the document through are made
// here, in one place, so that the window does not depend on how a grid is built.

#include "grids/record_grid.h"
#include "models/document_session.h"

#include <memory>

namespace r605 {

class Document;
class Language;

using EditSession = DocumentSession;
using GridWidget = RecordGrid;

std::unique_ptr<EditSession> makeEditSession(Document& document, const Language& language);
GridWidget* makeRecordGrid(EditSession& session, int grid, QWidget* parent);
// The contact pages grid labels its rows page x 20000 + row.
void setGridContactPage(GridWidget& grid, int page);

} // namespace r605
