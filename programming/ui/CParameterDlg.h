#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>

class CColorStatic;
class CProgramData;
class CUnitLink;
class ParameterSession;
class PromptService;
class QDialogButtonBox;
class QPushButton;
class QShowEvent;
class QVBoxLayout;

// What every parameter dialog shares: a header line, its own controls, OK and Cancel. When it
// is shown it asks the unit for its records; OK stays off until they have been read, so a
// record that was never read is never written. OK checks the entries, shows the first message
// that refuses them and otherwise sends the record with the Program Modes menu as owner of the
// acknowledgement.
class CParameterDlg : public QDialog {
public:
    // The link, the prompts and the records must outlive the dialog. acknowledgementOwner is
    // the window that checks the unit's acknowledgement of the write (the Program Modes menu).
    CParameterDlg(CUnitLink& link, PromptService& prompts, const QList<CProgramData*>& records,
                  QObject* acknowledgementOwner, QWidget* parent);
    ~CParameterDlg() override;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

    CColorStatic* header() const { return header_; }
    QPushButton* okButton() const { return okButton_; }

    // The dialog's own controls go here, between the header and the buttons.
    QVBoxLayout* body() const { return body_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    void setHeaderText(const QString& text);

    CUnitLink& link() { return link_; }
    PromptService& prompts() { return prompts_; }
    ParameterSession& session() { return *session_; }
    const ParameterSession& session() const { return *session_; }
    QObject* acknowledgementOwner() const { return acknowledgementOwner_; }
    // The bytes of the record read from the unit (index among the dialog's records).
    QByteArray recordRead(int index = 0) const;

    // Asks the unit for the records; a refusal has been shown and closes the dialog.
    void startReading();
    // Closes with OK without sending anything more.
    void closeWithOk() { QDialog::accept(); }

    // Fills the controls from the records read.
    virtual void decode() = 0;
    // The first message that refuses the entries, or empty.
    virtual QString validate() const { return {}; }
    // The one record to write.
    virtual QByteArray encode() const { return {}; }
    // Sends the record and closes with OK, also when the link refused it (the session showed
    // that). Dialogs that write several records in turn do it their own way.
    virtual void send();

private:
    void onRecordsRead();

    CUnitLink& link_;
    PromptService& prompts_;
    ParameterSession* session_;
    QObject* acknowledgementOwner_;
    CColorStatic* header_;
    QVBoxLayout* body_;
    QDialogButtonBox* buttons_;
    QPushButton* okButton_;
    bool started_ = false;
};
