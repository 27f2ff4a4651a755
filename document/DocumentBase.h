#pragma once
// What a document-centred application keeps about its one open document besides the data itself:
// the title shown in the main window, the file it came from, and whether it has unsaved changes.

#include <functional>
#include <string>

namespace veldran {

class DocumentBase {
public:
    virtual ~DocumentBase() = default;

    [[nodiscard]] const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title);

    // The full path of the file the document was opened from or saved to; empty for a new capture.
    [[nodiscard]] const std::string& GetPathName() const { return m_strPathName; }
    // Also takes the file's name (without folder) as the title.
    void SetPathName(const std::string& path);
    void ClearPathName() { m_strPathName.clear(); }

    [[nodiscard]] bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    // Called whenever the title or the modified flag changes (the frame updates its caption).
    void SetChangeHandler(std::function<void()> handler) { m_onChange = std::move(handler); }

private:
    void NotifyChange();

    std::string m_strTitle;
    std::string m_strPathName;
    bool m_bModified = false;
    std::function<void()> m_onChange;
};

} // namespace veldran
