#include "settings/win/DialogSetup.h"

#include "framework/ColorDialog.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "settings/win/SettingsStore.h"

namespace {

// The radio button of each strategy, by strategy number.
constexpr UINT kStrategyButtons[kStrategyCount] = {IDC_STRATEGY_MEDIAN, IDC_STRATEGY_MINMAX,
                                                   IDC_STRATEGY_WEIGHED};
constexpr UINT kNtpServerIds[kNtpServerCount] = {IDC_SETUP_SERVER1, IDC_SETUP_SERVER2, IDC_SETUP_SERVER3};
constexpr UINT kSwatchIds[kListColorCount] = {IDC_COLOR_TEXT, IDC_COLOR_BACK, IDC_COLOR_SELECT,
                                              IDC_COLOR_WARN};
constexpr int kEditMargin = 2;

// The stored values over the factory ones; a missing key or value keeps the factory value.
SetupFields ReadSetupFields() {
    const SettingsKey key = OpenSettingsForRead();
    SetupFields fields;
    fields.strategy = ReadSetting(key, kStrategySetting);
    fields.maxEntries = MaxEntriesText(ReadSetting(key, kMaxEntriesSetting));
    fields.udpServer = ReadSetting(key, kUdpServerSetting);
    fields.udpPort = ReadSetting(key, kUdpPortSetting);
    for (size_t i = 0; i < kNtpServerCount; ++i) {
        fields.servers[i] = ReadSetting(key, kServerSettings[i]);
    }
    for (size_t i = 0; i < kListColorCount; ++i) {
        fields.colors[i] = ReadSetting(key, kListColorSettings[i]);
    }
    fields.multicast = ReadSetting(key, kMulticastSetting) != 0;
    return fields;
}

// All twelve values, through the same clamps the main window applies when it reads them. A failed
// write does not stop the others; the result says whether every one was stored.
bool WriteSetupFields(const SetupFields& fields) {
    const SettingsKey key = OpenSettingsForWrite();
    if (!key) {
        return false;
    }
    bool stored = WriteDwordSetting(key, kStrategySetting.name, ClampStrategy(fields.strategy));
    stored &= WriteStringSetting(key, kUdpServerSetting.name, fields.udpServer.c_str());
    stored &= WriteStringSetting(key, kUdpPortSetting.name, fields.udpPort.c_str());
    stored &= WriteDwordSetting(key, kMaxEntriesSetting.name, MaxEntriesFromText(fields.maxEntries.c_str()));
    for (size_t i = 0; i < kNtpServerCount; ++i) {
        stored &= WriteStringSetting(key, kServerSettings[i].name, fields.servers[i].c_str());
    }
    for (size_t i = 0; i < kListColorCount; ++i) {
        stored &= WriteDwordSetting(key, kListColorSettings[i].name, fields.colors[i]);
    }
    stored &= WriteDwordSetting(key, kMulticastSetting.name, fields.multicast ? 1 : 0);
    return stored;
}

} // namespace

const char* const CDialogSetup::kSaveFailedText =
    "The settings could not be saved in the registry.\n\n"
    "Your entries are still in the Setup dialog: press OK to try again, or Cancel to leave the settings "
    "as they were.";

CDialogSetup::CDialogSetup(HWND parent) : CDialog(IDD_DIALOG_SETUP, parent) {}

CDialogSetup::~CDialogSetup() = default;

const MessageMap* CDialogSetup::GetMessageMap() const {
    static constexpr MessageEntry entries[] = {
        OnCommand<&CDialogSetup::OnDefault>(IDC_SETUP_DEFAULT),
        OnCommand<&CDialogSetup::OnSwatch<0>>(kSwatchIds[0], STN_CLICKED),
        OnCommand<&CDialogSetup::OnSwatch<1>>(kSwatchIds[1], STN_CLICKED),
        OnCommand<&CDialogSetup::OnSwatch<2>>(kSwatchIds[2], STN_CLICKED),
        OnCommand<&CDialogSetup::OnSwatch<3>>(kSwatchIds[3], STN_CLICKED),
    };
    static const MessageMap map{CDialog::GetMessageMap(), entries};
    return &map;
}

void CDialogSetup::DoDataExchange() {
    BindControl(IDC_UDP_SERVER, m_editServer);
    BindControl(IDC_UDP_PORT, m_editPort);
    BindControl(IDC_MAX_ENTRIES, m_editMaxEntries);
    for (size_t i = 0; i < kNtpServerCount; ++i) {
        BindControl(kNtpServerIds[i], m_editNtpServers[i]);
    }
    for (size_t i = 0; i < kListColorCount; ++i) {
        BindControl(kSwatchIds[i], m_swatches[i]);
    }
    BindControl(IDC_MULTICAST, m_checkMulticast);
}

BOOL CDialogSetup::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const CEdit* edit : {&m_editServer, &m_editPort, &m_editMaxEntries, &m_editNtpServers[0],
                              &m_editNtpServers[1], &m_editNtpServers[2]}) {
        edit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                          MAKELPARAM(kEditMargin, kEditMargin));
        // The store keeps no longer texts; the field takes no more than it can keep.
        edit->SendMessage(EM_LIMITTEXT, kSettingTextSize - 1);
    }
    ShowFields(ReadSetupFields());
    return TRUE; // the focus goes to the first tab stop, the server field
}

void CDialogSetup::ShowFields(const SetupFields& fields) {
    // An unknown strategy checks no button.
    const int button = StrategyButton(fields.strategy);
    ::CheckRadioButton(m_hWnd, IDC_STRATEGY_MEDIAN, IDC_STRATEGY_MINMAX,
                       button < 0 ? 0 : kStrategyButtons[button]);
    m_editServer.SetWindowText(fields.udpServer.c_str());
    m_editPort.SetWindowText(fields.udpPort.c_str());
    m_editMaxEntries.SetWindowText(fields.maxEntries.c_str());
    for (size_t i = 0; i < kNtpServerCount; ++i) {
        m_editNtpServers[i].SetWindowText(fields.servers[i].c_str());
    }
    for (size_t i = 0; i < kListColorCount; ++i) {
        m_swatches[i].SetBkColor(fields.colors[i]);
    }
    m_checkMulticast.SetCheck(fields.multicast ? BST_CHECKED : BST_UNCHECKED);
}

SetupFields CDialogSetup::TakeFields() const {
    const auto checked = [this](UINT id) {
        return ::IsDlgButtonChecked(m_hWnd, (int)id) == BST_CHECKED;
    };
    SetupFields fields;
    fields.strategy = StrategyFromButtons(checked(IDC_STRATEGY_MINMAX), checked(IDC_STRATEGY_WEIGHED));
    fields.udpServer = m_editServer.GetWindowText();
    fields.udpPort = m_editPort.GetWindowText();
    fields.maxEntries = m_editMaxEntries.GetWindowText();
    for (size_t i = 0; i < kNtpServerCount; ++i) {
        fields.servers[i] = m_editNtpServers[i].GetWindowText();
    }
    for (size_t i = 0; i < kListColorCount; ++i) {
        fields.colors[i] = m_swatches[i].GetBkColor();
    }
    fields.multicast = m_checkMulticast.GetCheck() != BST_UNCHECKED;
    return fields;
}

void CDialogSetup::OnDefault() {
    ShowFields(SetupFields{});
}

void CDialogSetup::PickColor(CColorStatic& swatch) {
    CColorDialog chooser(swatch.GetBkColor(), 0, m_hWnd);
    if (chooser.DoModal() == IDOK) {
        swatch.SetBkColor(chooser.GetColor());
    }
}

void CDialogSetup::OnOK() {
    if (!WriteSetupFields(TakeFields())) {
        AppMessageBox(kSaveFailedText, MB_OK | MB_ICONERROR, m_hWnd);
        return;
    }
    EndDialog(IDOK);
}
