#pragma once
// CWebSiteListDlg: the teacher's list of web sites for the students' link
// lists, kept in section [WebName] of the web site file (name = HTML file).
// Every add, edit, rename in place and delete rewrites the file, tells the
// web access control object, keeps the main window's link list in step and
// tells the students' link lists to empty themselves (they ask again).
//
// A missing file is an empty list that the first addition creates. A file
// that exists but cannot be read is never written: every change is refused
// with the web site file's warning.

#include "common/HttpService.h"
#include "teacher/IniStore.h"
#include "teacher/LinkList.h"
#include "widgets/SkinDialog.h"

#include "framework/ListCtrl.h"

#include <cstdint>
#include <string>

class CWebSiteListDlg : public CSkinDialog {
public:
    CWebSiteListDlg();
    ~CWebSiteListDlg() override;

    // Set by the opener before DoModal.
    void SetService(kq::IHttpService* service) { m_service = service; }
    void SetGroupAddress(uint32_t group) { m_group = group; } // as inet_addr gives it
    void SetMainPort(uint16_t port) { m_mainPort = port; }
    void SetLinkList(kq::LinkList* links) { m_links = links; }
    void SetFile(const std::string& file) { m_file = file; }

    BOOL OnInitDialog() override;

    static constexpr UINT kListId = 717;
    static constexpr UINT kAddId = 707;
    static constexpr UINT kEditId = 709;
    static constexpr UINT kDeleteId = 711;
    static constexpr UINT kCloseId = 710;

protected:
    DECLARE_MESSAGE_MAP()
    // Enter adds a site, or ends a rename in place that runs.
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnCloseButton();
    afx_msg void OnDoubleClick(NMHDR* header, LRESULT* result);
    afx_msg void OnEndLabelEdit(NMHDR* header, LRESULT* result);

private:
    enum class FileState { Read, Missing, Unreadable };

    // Gives back the reference taken at the initialisation.
    void ReleaseService();
    bool OpenSocket();
    void CloseSocket();
    // Kind 19 to the classroom group four times, the first three followed
    // by a short pause; nothing without a socket.
    void NotifyStudents();
    // False, after the warning, when the file may not be changed.
    bool MayChange();
    // Rewrites the file and tells the object. False, after the warning and
    // with the store read back from the file, when the file was not written.
    bool Commit();
    // Row `row` becomes the pair name = file, in the file and the link list
    // too; nothing but a warning when the name is another row's or the file
    // may not or could not be changed.
    void ReplaceRow(int row, const CString& name, const CString& file);
    // The row holding `name` (letter case aside), other than `except`; -1.
    int FindRow(const CString& name, int except) const;
    int FirstSelectedRow() const;
    void AppendRow(const CString& name, const CString& file, kq::LinkList::Handle entry);

    kq::IHttpService* m_service = nullptr;
    bool m_holdsService = false;
    uint32_t m_group = 0;
    uint16_t m_mainPort = 0;
    kq::LinkList* m_links = nullptr;
    std::string m_file;
    CIniStore m_store;
    FileState m_fileState = FileState::Missing;
    SOCKET m_socket = INVALID_SOCKET;
    CListCtrl m_list;
    CBitmapButton m_close;
    CBitmapButton m_delete;
    CBitmapButton m_edit;
    CBitmapButton m_add;
};
