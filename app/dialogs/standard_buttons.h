#pragma once
// SetStandardButtons: the captions of a form's CommandOK, CommandCancel, CommandClose and
// CommandHelp buttons (texts 90000 to 90003). A button the form lacks is skipped.

class QWidget;

namespace r605 {

class InterfaceTexts;

void SetStandardButtons(QWidget& form, const InterfaceTexts& texts);

} // namespace r605
