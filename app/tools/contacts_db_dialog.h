#pragma once
// frmContactsDb: contacts from a DMR user database. The user picks the database file (a CSV of
// the published lists), ticks countries, gives ID prefixes, or asks for the IDs nearest to a radio
// ID, caps the number, and keeps or replaces the existing private-call contacts; a line below the
// choices counts, as they change, what would be taken and what there is room for. Adding the
// contacts is one edit of the document on the session's undo stack. The count follows the
// document while the dialog is open.

#include "contacts_db/database_contacts.h"
#include "dialogs/form_dialog.h"

#include <QString>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace r605 {

class DocumentSession;
class Prompt;

class ContactsDbDialog : public FormDialog {
    Q_OBJECT

public:
    ContactsDbDialog(DocumentSession& session, const InterfaceTexts& texts, Prompt& prompt,
                     QWidget* parent = nullptr);
    ~ContactsDbDialog() override;

    // Reads a database; its columns and countries are shown, or the prompt says why the file was
    // refused (and the database read before stays).
    void loadDatabase(const QString& path);
    // The choice the controls give, and what it takes from the database now.
    ContactChoice choice() const;
    const ContactPlan& plan() const { return m_plan; }

signals:
    // The contacts were added: what the status bar may say.
    void contactsAdded(const QString& summary);

public slots:
    void accept() override;

private:
    void chooseFile();
    void fillCountries();
    void updateCount();
    void retranslate() override;
    QString text(int key) const;
    QString databaseSummary() const;

    DocumentSession& m_session;
    Prompt& m_prompt;
    std::optional<UserDatabase> m_database;
    QString m_fileName;
    ContactPlan m_plan;
    int m_observer = 0;

    QLabel* m_fileLabel;
    QLabel* m_file;
    QPushButton* m_choose;
    QLabel* m_summary;
    QLabel* m_countriesLabel;
    QListWidget* m_countries;
    QLabel* m_prefixLabel;
    QLineEdit* m_prefixes;
    QCheckBox* m_near;
    QSpinBox* m_nearId;
    QLabel* m_mostLabel;
    QSpinBox* m_most;
    QRadioButton* m_keep;
    QRadioButton* m_replace;
    QLabel* m_count;
};

} // namespace r605
