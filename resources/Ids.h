#pragma once
// Command, control and resource ids. The menus, the option bar and the view's form share the
// command ids; 1026 and 1027 are also the Y spin and Y edit of the form, told apart by the kind of
// notification (a click is a command, a text change is a cursor update).

namespace veldran::ids {

// Resources
constexpr int kAboutDialog = 100;
constexpr int kFormView = 101;
constexpr int kOptionBar = 103;        // also the option bar's id and its show/hide command
constexpr int kSplashBitmap = 105;
constexpr int kTransferDialog = 106;
constexpr int kTransferCaption = 107;
constexpr int kMainMenu = 128;         // menu, accelerators, icon and document template string
constexpr int kChannelNameDialog = 130;
constexpr int kOptionsDialog = 131;

// Program commands
constexpr int kExpand = 1026;
constexpr int kContract = 1027;
constexpr int kLoad = 1029;
constexpr int kOptions = 1031;
constexpr int kSelectCell = 1032;
constexpr int kChangeChannelName = 32771;
constexpr int kCaptureData = 32772;
constexpr int kFileExport = 32773;
constexpr int kFileExportView = 32774;
constexpr int kToggleOptionBar = 104;
// The measurements panel and the pattern search
constexpr int kToggleMeasurePanel = 32790;
constexpr int kToggleSearchBar = 32791;
constexpr int kFindPattern = 32792;
constexpr int kFindNext = 32793;
constexpr int kFindPrevious = 32794;
// The markers: their panel, and adding, editing, deleting and stepping through them at the X cursor
constexpr int kToggleMarkerPanel = 32795;
constexpr int kAddMarker = 32796;
constexpr int kEditMarker = 32797;
constexpr int kDeleteMarker = 32798;
constexpr int kNextMarker = 32799;
constexpr int kPreviousMarker = 32800;
// Buses: their dialog, the panel of their values and the state listing
constexpr int kBusDefinitions = 32801;
constexpr int kToggleBusValues = 32802;
constexpr int kToggleStateListing = 32803;
// The Decode panel
constexpr int kToggleDecodePanel = 32820;

// Framework commands
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintDirect = 57608;
constexpr int kFilePrintPreview = 57609;
constexpr int kFileMruFirst = 57616;
constexpr int kEditCopy = 57634;
constexpr int kEditCut = 57635;
constexpr int kEditPaste = 57637;
constexpr int kEditUndo = 57643;
constexpr int kAppAbout = 57664;
constexpr int kAppExit = 57665;
constexpr int kNextPane = 57680;
constexpr int kPrevPane = 57681;

// Status bar
constexpr int kStatusBar = 59393;
constexpr int kIndicatorCaps = 59137;
constexpr int kIndicatorNum = 59138;
constexpr int kIndicatorScroll = 59139;

// Option bar controls
constexpr int kClockPeriodEdit = 1016;

// View form controls
constexpr int kTraceFirst = 1000;      // traces 1000..1015
constexpr int kInfoGroup = 1016;
constexpr int kLabelXPos = 1017;
constexpr int kLabelYPos = 1018;
constexpr int kLabelXY = 1019;
constexpr int kLabelXData = 1020;
constexpr int kSpinX = 1024;
constexpr int kEditX = 1025;
constexpr int kSpinY = 1026;
constexpr int kEditY = 1027;
constexpr int kXYDistance = 1028;
constexpr int kXPosData = 1029;
constexpr int kWindowText = 1030;
constexpr int kXCursorLine = 1033;
constexpr int kYCursorLine = 1034;
constexpr int kLeftPos = 1036;
constexpr int kRightPos = 1037;
constexpr int kXCursorLabel = 1073;
constexpr int kYCursorLabel = 1074;

// Dialog controls
constexpr int kProgressBar = 1003;
constexpr int kCancelTransfer = 1037;
constexpr int kChannelNameFirst = 1022; // edits 1022..1069
constexpr int kPortCombo = 1070;
constexpr int kSpeedCombo = 1071;
constexpr int kClockCombo = 1072;
constexpr int kOk = 1;
constexpr int kCancel = 2;

} // namespace veldran::ids
