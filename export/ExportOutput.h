#pragma once
// Where a writer puts its text. Writers append to Text() and call Spill() now and then; with a drain
// the text goes on to it in large pieces (a file), without one it all stays in Text() (a test).

#include <functional>
#include <string>
#include <string_view>

namespace veldran {

class ExportOutput {
public:
    ExportOutput() = default;
    explicit ExportOutput(std::function<void(std::string_view)> drain) : m_drain(std::move(drain)) {}

    [[nodiscard]] std::string& Text() { return m_strText; }
    // Hands the text to the drain once a piece of useful size has gathered.
    void Spill()
    {
        if (m_drain && m_strText.size() >= kPieceBytes)
            Finish();
    }
    // Hands over whatever is left.
    void Finish()
    {
        if (!m_drain)
            return;
        m_drain(m_strText);
        m_strText.clear();
    }

private:
    static constexpr size_t kPieceBytes = size_t(1) << 20;
    std::function<void(std::string_view)> m_drain;
    std::string m_strText;
};

} // namespace veldran
