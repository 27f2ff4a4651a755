#include "app/MenuTable.h"

#include "resources/Ids.h"

#include <map>
#include <string>
#include <utility>

namespace veldran {
namespace {

constexpr const char* kFile = "FIle(&F)";
constexpr const char* kInstrument = "VELDRAN(&M)";
constexpr const char* kHelp = "Help(&H)";
constexpr const char* kView = "보기(&V)";

// Prompt and tool tip, separated by a line feed, as the string table holds them.
const std::map<int, std::string>& PromptTable()
{
    static const std::map<int, std::string> table{
        {ids::kToggleOptionBar, "Show or hide OptionBar\nToggle OptionBar"},
        {ids::kExpand, "데이터를 좀더 확장하여 자세히 봅니다.\n확장"},
        {ids::kContract, "데이터를 좀더 축소하여 대략적으로 봅니다.\n축소"},
        {ids::kLoad, "VELDRAN에서 데이터를 전송받습니다.\n데이터 전송"},
        {ids::kOptions, "환경 설정을 합니다.\n환경설정"},
        {ids::kSelectCell, "채널을 선택합니다.\n채널선택"},
        {ids::kChangeChannelName, "채널의 이름을 바꿉니다.\n채널명 바꾸기"},
        {ids::kCaptureData, "인쇄할 데이터를 설정합니다.\n인쇄데이터 설정"},
        // The measurements panel and the pattern search.
        {ids::kToggleMeasurePanel, "측정 창을 보이거나 숨깁니다.\n측정 창"},
        {ids::kToggleSearchBar, "패턴 찾기 막대를 보이거나 숨깁니다.\n패턴 찾기 막대"},
        {ids::kFindPattern, "찾을 패턴을 입력합니다.\n패턴 찾기"},
        {ids::kFindNext, "활성 커서 뒤에서 패턴과 일치하는 첫 샘플로 커서를 옮깁니다.\n다음 찾기"},
        {ids::kFindPrevious, "활성 커서 앞에서 패턴과 일치하는 마지막 샘플로 커서를 옮깁니다.\n이전 찾기"},
        // The markers.
        {ids::kToggleMarkerPanel, "마커 창을 보이거나 숨깁니다.\n마커 창"},
        {ids::kAddMarker, "X 커서의 샘플에 마커를 붙입니다.\n마커 추가"},
        {ids::kEditMarker, "X 커서의 샘플에 있는 마커를 고칩니다.\n마커 편집"},
        {ids::kDeleteMarker, "X 커서의 샘플에 있는 마커를 지웁니다.\n마커 지우기"},
        {ids::kNextMarker, "X 커서 뒤의 첫 마커로 X 커서를 옮깁니다.\n다음 마커"},
        {ids::kPreviousMarker, "X 커서 앞의 마지막 마커로 X 커서를 옮깁니다.\n이전 마커"},
        // The buses.
        {ids::kBusDefinitions, "버스를 만들고 고치거나 지웁니다.\n버스 정의"},
        {ids::kToggleBusValues, "X와 Y 커서에서 버스의 값을 보여 주는 창을 보이거나 숨깁니다.\n버스 값 창"},
        {ids::kToggleStateListing, "샘플마다 버스의 값을 나열하는 창을 보이거나 숨깁니다.\n상태 목록 창"},
        {ids::kToggleDecodePanel, "디코드 창을 보이거나 숨깁니다.\n디코드 창"},
        // The framework's own commands.
        {ids::kFileNew, "새 캡처를 만듭니다.\n새 파일"},
        {ids::kFileOpen, "저장된 캡처 파일을 엽니다.\n열기"},
        {ids::kFileSave, "현재 캡처를 저장합니다.\n저장"},
        {ids::kFileSaveAs, "현재 캡처를 새 이름으로 저장합니다.\n다른 이름으로 저장"},
        {ids::kFileExport, "현재 캡처를 다른 프로그램용 파일(VCD, CSV, sigrok)로 내보냅니다.\n내보내기"},
        {ids::kFileExportView, "보이는 셀과 창을 그림 파일(SVG, PNG, PDF)로 내보냅니다.\n보기 내보내기"},
        {ids::kFilePrint, "현재 캡처를 인쇄합니다.\n인쇄"},
        {ids::kFilePrintPreview, "인쇄될 페이지를 미리 봅니다.\n인쇄 미리 보기"},
        {ids::kFilePrintSetup, "프린터와 인쇄 옵션을 바꿉니다.\n인쇄 설정"},
        {ids::kFileMruFirst, "이 캡처 파일을 엽니다."},
        {ids::kAppExit, "프로그램을 끝냅니다. 저장할지 묻습니다.\n끝내기"},
        {ids::kAppAbout, "프로그램 정보와 버전을 표시합니다.\n정보"},
    };
    return table;
}

} // namespace

const std::vector<MenuItemEntry>& MainMenuItems()
{
    static const std::vector<MenuItemEntry> items{
        {kFile, "New File(&N)", "Ctrl+N", ids::kFileNew},
        {kFile, "Open(&O)...", "Ctrl+O", ids::kFileOpen},
        {kFile, "Save(&S)", "Ctrl+S", ids::kFileSave},
        {kFile, "Save As(&A)...", nullptr, ids::kFileSaveAs},
        {kFile, "Export(&E)...", nullptr, ids::kFileExport},
        {kFile, "보기 내보내기(&W)...", nullptr, ids::kFileExportView},
        {kFile, nullptr, nullptr, 0},
        {kFile, "Print(&P)...", "Ctrl+P", ids::kFilePrint},
        {kFile, "Print Preview(&V)", nullptr, ids::kFilePrintPreview},
        {kFile, "Printer Setting(&R)...", nullptr, ids::kFilePrintSetup},
        {kFile, nullptr, nullptr, 0},
        {kFile, "최근 파일", nullptr, ids::kFileMruFirst},
        {kFile, nullptr, nullptr, 0},
        {kFile, "Exit(&X)", nullptr, ids::kAppExit},
        {kInstrument, "Expand(&E)", nullptr, ids::kExpand},
        {kInstrument, "Contract(&C)", nullptr, ids::kContract},
        {kInstrument, "Select Cell(&S)", nullptr, ids::kSelectCell},
        {kInstrument, "Load From VXR(&L)", nullptr, ids::kLoad},
        {kInstrument, "Capture Data(&T)", nullptr, ids::kCaptureData},
        {kInstrument, "Options(&O)...", nullptr, ids::kOptions},
        {kInstrument, nullptr, nullptr, 0},
        {kInstrument, "Change CH Name(&H)...", nullptr, ids::kChangeChannelName},
        {kInstrument, nullptr, nullptr, 0},
        {kInstrument, "패턴 찾기(&F)...", "Ctrl+F", ids::kFindPattern},
        {kInstrument, "다음 찾기(&N)", "F3", ids::kFindNext},
        {kInstrument, "이전 찾기(&P)", "Shift+F3", ids::kFindPrevious},
        {kInstrument, nullptr, nullptr, 0},
        {kInstrument, "마커 추가(&K)", "Ctrl+M", ids::kAddMarker},
        {kInstrument, "마커 편집(&I)...", nullptr, ids::kEditMarker},
        {kInstrument, "마커 지우기(&D)", nullptr, ids::kDeleteMarker},
        {kInstrument, "다음 마커(&R)", "Alt+Right", ids::kNextMarker},
        {kInstrument, "이전 마커(&V)", "Alt+Left", ids::kPreviousMarker},
        {kView, "측정 창(&M)", nullptr, ids::kToggleMeasurePanel},
        {kView, "패턴 찾기 막대(&B)", nullptr, ids::kToggleSearchBar},
        {kView, "마커 창(&K)", nullptr, ids::kToggleMarkerPanel},
        {kView, nullptr, nullptr, 0},
        {kView, "버스 정의(&D)...", nullptr, ids::kBusDefinitions},
        {kView, "버스 값 창(&V)", nullptr, ids::kToggleBusValues},
        {kView, "상태 목록 창(&L)", nullptr, ids::kToggleStateListing},
        {kView, "디코드 창(&O)", nullptr, ids::kToggleDecodePanel},
        {kHelp, "VELDRAN Info(&I)...", nullptr, ids::kAppAbout},
    };
    return items;
}

const std::vector<AcceleratorEntry>& Accelerators()
{
    static const std::vector<AcceleratorEntry> table{
        {QKeySequence(Qt::CTRL | Qt::Key_N), ids::kFileNew},
        {QKeySequence(Qt::CTRL | Qt::Key_O), ids::kFileOpen},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ids::kFileSave},
        {QKeySequence(Qt::CTRL | Qt::Key_P), ids::kFilePrint},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), ids::kEditUndo},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), ids::kEditUndo},
        {QKeySequence(Qt::CTRL | Qt::Key_X), ids::kEditCut},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ids::kEditCut},
        {QKeySequence(Qt::CTRL | Qt::Key_C), ids::kEditCopy},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), ids::kEditCopy},
        {QKeySequence(Qt::CTRL | Qt::Key_V), ids::kEditPaste},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ids::kEditPaste},
        {QKeySequence(Qt::Key_F6), ids::kNextPane},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), ids::kPrevPane},
        {QKeySequence(Qt::CTRL | Qt::Key_F), ids::kFindPattern},
        {QKeySequence(Qt::Key_F3), ids::kFindNext},
        {QKeySequence(Qt::SHIFT | Qt::Key_F3), ids::kFindPrevious},
        {QKeySequence(Qt::CTRL | Qt::Key_M), ids::kAddMarker},
        {QKeySequence(Qt::ALT | Qt::Key_Right), ids::kNextMarker},
        {QKeySequence(Qt::ALT | Qt::Key_Left), ids::kPreviousMarker},
    };
    return table;
}

std::string CommandPrompt(int id)
{
    const auto& table = PromptTable();
    const auto it = table.find(id);
    return it == table.end() ? std::string() : it->second.substr(0, it->second.find('\n'));
}

std::string CommandToolTip(int id)
{
    const auto& table = PromptTable();
    const auto it = table.find(id);
    if (it == table.end())
        return std::string();
    const auto newline = it->second.find('\n');
    return newline == std::string::npos ? std::string() : it->second.substr(newline + 1);
}

} // namespace veldran
