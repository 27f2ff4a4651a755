#pragma once
// Stands in for the view (and, for the reception alone, for the link's port): records what the
// reception asks of it and does what the real view does to the document on a reset.

#include "document/CaptureDocument.h"
#include "link/ReceptionHost.h"
#include "resources/Strings.h"

#include <QMainWindow>
#include <QStringList>

#include <string>

namespace veldran::test {

class FakeView : public ReceptionHost, public ReceptionPort {
public:
    explicit FakeView(CVELDRANDoc& document) : m_document(document) { mainWindow.show(); }

    bool OpenForReception() override { return portOpen; }
    void PurgePort() override { calls << "PurgePort"; }
    bool IsLiveData() const override { return liveData; }
    void SetLiveData(bool bLive) override { liveData = bLive; }
    void SetViewSampleCount(int nCount) override { sampleCount = nCount; }
    void ResetView() override
    {
        calls << "ResetView";
        m_document.m_pTokenList->clear();
        m_document.SetTitle(filetext::kUntitled);
        m_document.m_bDataReady = false;
        liveData = false;
        xPosData = text::kNoData;
    }
    void LoadTraces() override { calls << "LoadTraces"; }
    void UpdateCursors() override { calls << "UpdateCursors"; }
    void UpdatePositionBar() override { calls << "UpdatePositionBar"; }
    void SetXPosData(const std::string& text) override { xPosData = text; }
    void InvalidateView() override { calls << "InvalidateView"; }
    QWidget* TransferDialogOwner() override { return &mainWindow; }

    bool portOpen = true;
    bool liveData = false;
    int sampleCount = 0;
    std::string xPosData;
    QStringList calls;
    QMainWindow mainWindow;

private:
    CVELDRANDoc& m_document;
};

} // namespace veldran::test
