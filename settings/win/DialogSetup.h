#pragma once
#include "controls/win/ColorStatic.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "settings/SetupFields.h"

// The setup dialog: the WSJT-X endpoint and its multicast mode, the estimation strategy, the row
// limit, the three SNTP servers and the list colours. It shows the stored settings when it opens and
// stores all of them in one batch on OK; Cancel stores nothing. When the settings cannot be stored, OK
// says so and the dialog stays open with the user's entries.
class CDialogSetup : public CDialog {
public:
    explicit CDialogSetup(HWND parent = nullptr);
    ~CDialogSetup() override;

    // The text of the message OK shows when the settings cannot be stored.
    static const char* const kSaveFailedText;

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    // Puts the factory values into the controls; the store is left alone.
    void OnDefault();
    // Lets the user choose a swatch's colour in the system's colour chooser.
    void PickColor(CColorStatic& swatch);

    CEdit m_editServer;
    CEdit m_editPort;
    CEdit m_editMaxEntries;
    CEdit m_editNtpServers[kNtpServerCount];
    // Text, background, selection and warning colours, each held as its swatch's background.
    CColorStatic m_swatches[kListColorCount];
    CButton m_checkMulticast;

private:
    template <size_t Swatch> void OnSwatch() { PickColor(m_swatches[Swatch]); }
    void ShowFields(const SetupFields& fields);
    SetupFields TakeFields() const;
};
