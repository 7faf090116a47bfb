// The main window's configuration: Teacher.ini read at start, the button
// set files, and the saved keys written back at exit.

#include "teacher/TeacherWnd.h"

#include "common/TextField.h"
#include "teacher/ButtonSet.h"
#include "teacher/Globals.h"
#include "teacher/InstallFolder.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"


namespace {

constexpr int kBaseSet = 0;
constexpr int kAdvancedSet = 1;
constexpr int kDefinedSet = 2;

} // namespace

int CTeacherWnd::ReadConfig()
{
    if (!kq::ReadInstallFolder(m_path))
        return 0;
    m_settingsFile = m_path + "\\Teacher.ini";

    CIniStore file;
    file.SetPath(m_settingsFile);
    if (!file.ReadFile())
        return 0;

    kq::ProfileValues profile;
    CWinApp* app = AfxGetApp();
    profile.hits = static_cast<int>(app->GetProfileInt("Setup", "Hits", kq::kDefaultHits));
    profile.mediaType = static_cast<int>(app->GetProfileInt("Setup", "MediaType", kq::kDefaultMediaType));
    kq::ReadTeacherSettings(file, profile, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(m_hWnd)), m_settings);
    g_bStuNoDisk = m_settings.stuNoDisk ? 1 : 0;

    const std::string folder = kq::SettingFolder();
    LoadButtonSet((folder + "\\BaseButton.txt").c_str(), kBaseSet);
    LoadButtonSet((folder + "\\AdvButton.txt").c_str(), kAdvancedSet);
    LoadButtonSet(m_settings.config.DefineFilePath, kDefinedSet);
    return 1;
}

int CTeacherWnd::LoadButtonSet(const char* path, int set)
{
    if (set < kBaseSet || set > kDefinedSet)
        return 0;
    std::string text;
    if (!kq::ReadWholeFile(path != nullptr ? path : "", text)) {
        const std::string fallback = kq::SettingFolder() + "\\DefButton.txt";
        const bool tried = path != nullptr && CIniStore::EqualNoCase(path, fallback);
        if (set != kDefinedSet || tried || !kq::ReadWholeFile(fallback, text)) {
            kq::ShowWarning(TeacherRes::IDS_BUTTON_SET_MISSING);
            return 0;
        }
        kq::CopyTextField(m_settings.config.DefineFilePath, fallback.c_str());
    }
    kq::ParseButtonSet(text, m_settings.config.buttonFlags[set]);
    return 1;
}

void CTeacherWnd::SaveSettings()
{
    CIniStore store;
    store.SetPath(m_settingsFile);
    kq::FillSavedKeys(m_settings, store);
    store.WriteProfile();
}
