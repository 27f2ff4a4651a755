#pragma once
// The program's own texts (UTF-8). Where a file format holds one of them, the writer converts it to
// the Korean code page.

namespace veldran::text {

// Application and document template
inline constexpr const char* kAppTitle = "VELDRAN";
inline constexpr const char* kUntitled = "제목없음";
inline constexpr const char* kIdle = "준비";
inline constexpr const char* kFileFilter = "VELDRAN 파일 (*.vxr)";
inline constexpr const char* kFileExtension = ".vxr";
inline constexpr const char* kDocTypeId = "VELDRAN.Document";
inline constexpr const char* kDocTypeName = "VELDRAN Document";
inline constexpr const char* kDocFileComment = "VELDRAN 파일";
inline constexpr const char* kSettingsOrganisation = "Local AppWizard-Generated Applications";

// Export
inline constexpr const char* kExportFilterVcd = "VCD 파일 - GTKWave, PulseView (*.vcd)";
inline constexpr const char* kExportFilterCsv = "CSV 파일 - 스프레드시트 (*.csv)";
inline constexpr const char* kExportFilterSigrok = "sigrok 세션 - PulseView, sigrok-cli (*.sr)";
inline constexpr const char* kCannotExport = "파일을 내보낼 수 없습니다.";

// Capture document
inline constexpr const char* kTransmissionError = "전송오류 : 수신을 중단합니다.";
inline constexpr const char* kInvalidData = "[전송오류] 잘못된 데이터입니다.";
inline constexpr const char* kNotVeldranData = "VELDRAN용 데이타가 아닙니다.";
// A capture file that ends before the samples and names its header announces (claimed samples,
// samples found, names found).
inline constexpr const char* kCaptureIncomplete =
    "파일의 데이터가 완전하지 않습니다.\n기록된 샘플 %d개 중 %d개와 채널 이름 48개 중 %d개만 읽었습니다.";

// View
inline constexpr const char* kNoData = "No Data ...";

// Reception
inline constexpr const char* kNoConnection = "통신 연결이 되어있지 않습니다.";
inline constexpr const char* kDataInTransfer = "전송중인 데이터 :";
inline constexpr const char* kTransferAbort =
    "[전송에러] 수신을 중단합니다.\nVELDRAN에서 송신을 중단해 주십시오.\n"
    "다시 시작 하려면 \"LOAD\"버튼을 누른 후 VELDRAN의 \"STATE\"버튼을 눌러주세요.";
inline constexpr const char* kTransferCaption = "VELDRAN으로부터 데이터를 받고 있습니다.";

// Serial port
inline constexpr const char* kSerialInitFailed =
    "직렬포트(COM%d) 초기화 실패!\n다른 프로그램에서 직렬포트(COM%d)를 사용하고 있는지 확인해 주세요.";
inline constexpr const char* kApplicationError = "Application Error";

// Settings
inline constexpr const char* kSettingsChanged =
    "통신 환경이 변경되었습니다.\n새로운 변경 사항을 적용하려면 프로그램을 다시 실행하시기 바랍니다.";

// Printing
inline constexpr const char* kNothingToCapture = "인쇄할 데이터가 하나도 없습니다.";
inline constexpr const char* kReadyToPrint = "현재 데이터를 인쇄할 준비가 되었습니다.";
inline constexpr const char* kNothingToPrint =
    "인쇄할 데이터가 없습니다.\n인쇄를 하려면 먼저 인쇄할 데이터를 설정해야 합니다.";
inline constexpr const char* kPrinterCannotPrintBefore = "현재 선택된 프린터(";
inline constexpr const char* kPrinterCannotPrintAfter = ")로는 인쇄할 수 없습니다.\n다른 프린터를 선택해 주십시오.";
inline constexpr const char* kProcessing = "지금 처리중입니다. 잠시만 기다리세요...";
inline constexpr const char* kCannotOpenBitmap = "Error : Cannot open Bitmap File!";
inline constexpr const char* kPrintHeader = "Logic Analyzer, VELDRAN : ";

} // namespace veldran::text
