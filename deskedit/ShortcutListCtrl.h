#pragma once
// CShortcutListCtrl: the desktop editor's large-icon list of the shortcut
// files of one of the two shortcut folders. Dropped files are copied into
// the shown folder at once; Delete only marks an entry. Commit then deletes
// what the chosen outcome does not keep: OK keeps the drops and deletes what
// was removed, Cancel undoes the drops (and puts back the bytes of a file a
// same-name drop replaced) and keeps what was removed.

#include "deskedit/ShortcutEntry.h"
#include "framework/Framework.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"

#include <array>
#include <list>
#include <map>
#include <memory>
#include <string>

class CShortcutListCtrl : public CListCtrl {
public:
    CShortcutListCtrl() = default;

    // Shows list 0 (programs) or 1 (desktop).
    void ShowList(int list);
    // keep: TRUE for OK, FALSE for Cancel. Returns 1.
    int Commit(BOOL keep);

    // The folder the lists live in; empty until it has been prepared.
    const std::string& ConfigFolder() const { return m_configFolder; }
    // False when the configuration folder could not be prepared: the list
    // then takes no drops.
    bool Prepared() const { return m_prepared; }
    int ShownList() const { return m_shownList; }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnDropFiles(HDROP drop);
    afx_msg void OnKeyDown(UINT key, UINT repeats, UINT flags);

private:
    using EntryList = std::list<std::unique_ptr<kq::ShortcutEntry>>;

    void FillList(int list);
    void AddEntry(const std::string& path, bool added);
    void AppendRow(kq::ShortcutEntry& entry);
    // Copies a dropped file in; false when neither copy could be made.
    bool CopyIntoFolder(const std::string& source, const std::string& destination, std::string& copied);
    // Keeps the bytes of a file that was there at the start before a drop
    // replaces it.
    void KeepOriginalBytes(const std::string& path);
    void RestoreOriginalBytes();
    bool NamedByOriginal(const std::string& path) const;

    std::string m_installFolder;
    std::string m_configFolder;
    bool m_prepared = false;
    CImageList m_images;
    std::string m_scratchPath;
    int m_shownList = 0;
    std::array<EntryList, 2> m_lists;
    std::map<std::string, std::string> m_originalBytes;
};
