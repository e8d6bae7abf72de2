#pragma once
// FrmProgress: the progress of a transfer, its caption by the kind of transfer. It stays in front
// while the transfer runs and cannot be closed by the user: the transfer ends by itself, through
// its time-outs and the Retry/Cancel question, and closes it.

#include "link/operation_kind.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace r605 {

class InterfaceTexts;

class ProgressDialog : public QDialog {
    Q_OBJECT

public:
    ProgressDialog(const InterfaceTexts& texts, OperationKind kind, QWidget* parent);

    // SetProgressValue: the bar and the percentage beside it.
    void setProgressValue(int percent);
    int progressValue() const;
    // The transfer has ended: the dialog closes.
    void finish();

public slots:
    void retranslate();

protected:
    void reject() override;

private:
    const InterfaceTexts& m_texts;
    OperationKind m_kind;
    QProgressBar* m_bar;
    QLabel* m_label;
    QLabel* m_percent;
    bool m_finished = false;
};

} // namespace r605
