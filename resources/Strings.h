#pragma once
// The program's own texts (UTF-8), in two kinds that are kept apart on purpose.
//
// Screen texts (veldran::text, the table below) are what the user reads in message boxes, the
// status bar and the value field. Each is the source of its translation: the English catalogue
// (resources/veldran_en.ts) holds one entry per text, and the program translates a text where it
// shows it, so code that reports a failure only names the text (resources/Message.h). "%d" and
// "%s" stand for the message's values, filled in after the text is translated. A new message is
// one more row here and one more entry in the catalogue.
//
// File texts (veldran::filetext) go into files: the settings file, the printed page. They never
// change with the language, so that a file written in one language reads the same in the other.

// X(name, Korean text)
#define VELDRAN_SCREEN_TEXTS(X)                                                                                 \
    /* Application and document template */                                                                    \
    X(kAppTitle, "VELDRAN")                                                                                     \
    X(kIdle, "준비")                                                                                            \
    X(kFileFilter, "VELDRAN 파일 (*.vxr)")                                                                      \
    X(kSaveChanges, "%s에 변경 내용을 저장하시겠습니까?")                                                       \
    /* Export */                                                                                               \
    X(kExportFilterVcd, "VCD 파일 - GTKWave, PulseView (*.vcd)")                                                \
    X(kExportFilterCsv, "CSV 파일 - 스프레드시트 (*.csv)")                                                      \
    X(kExportFilterSigrok, "sigrok 세션 - PulseView, sigrok-cli (*.sr)")                                        \
    X(kCannotExport, "파일을 내보낼 수 없습니다.")                                                              \
    /* Capture document and capture files */                                                                   \
    X(kTransmissionError, "전송오류 : 수신을 중단합니다.")                                                      \
    X(kInvalidData, "[전송오류] 잘못된 데이터입니다.")                                                          \
    /* A listing that arrived damaged (damaged lines, the sample of the first) or longer than a capture   \
       can hold (samples kept, lines dropped) */                                                            \
    X(kListingDamaged, "수신한 데이터 중 %d줄이 손상되었습니다(첫 줄: 샘플 %d). 손상된 셀은 잘못된 데이터로 읽힙니다.") \
    X(kListingTooLong, "수신한 데이터가 캡처 한 개보다 깁니다. 처음 샘플 %d개만 보관하고 나머지 %d줄은 버렸습니다.") \
    X(kNotVeldranData, "VELDRAN용 데이타가 아닙니다.")                                                          \
    /* A capture file that ends before the samples and names its header announces (claimed samples,        \
       samples found, names found). */                                                                        \
    X(kCaptureIncomplete, "파일의 데이터가 완전하지 않습니다.\n"                                                \
                          "기록된 샘플 %d개 중 %d개와 채널 이름 48개 중 %d개만 읽었습니다.")                    \
    X(kNothingToSave, "저장할 데이터가 없습니다.\nVELDRAN에서 데이터를 받거나 파일을 연 다음 저장해 주십시오.") \
    X(kTooMuchToSave, "저장할 데이터가 너무 많습니다.")                                                         \
    X(kCannotOpen, "파일을 열 수 없습니다.")                                                                    \
    X(kCannotSave, "파일을 저장할 수 없습니다. 기존 파일은 바뀌지 않았습니다.")                                 \
    X(kLinkNotFollowed, "누구나 쓸 수 있는 폴더에 있는 다른 사용자의 심볼릭 링크이므로 따라가지 않았습니다.")  \
    /* View */                                                                                                 \
    X(kNoData, "No Data ...")                                                                                   \
    /* Numeric entry */                                                                                        \
    X(kValueOutOfRange, "Given value is out of range.")                                                         \
    X(kValueNotANumber, "Characters must be a number.")                                                         \
    /* Reception */                                                                                            \
    X(kNoConnection, "통신 연결이 되어있지 않습니다.")                                                          \
    X(kDataInTransfer, "전송중인 데이터 :")                                                                     \
    X(kTransferAbort, "[전송에러] 수신을 중단합니다.\nVELDRAN에서 송신을 중단해 주십시오.\n"                    \
                      "다시 시작 하려면 \"LOAD\"버튼을 누른 후 VELDRAN의 \"STATE\"버튼을 눌러주세요.")          \
    X(kTransferCaption, "VELDRAN으로부터 데이터를 받고 있습니다.")                                              \
    /* A listing whose reception was interrupted (a hang-up, a crash, a power cut), kept in the journal: \
       the offer at the start, and the warning on the capture recovered from it (its samples) */        \
    X(kRecoverListing, "지난번 수신이 중간에 끊겼습니다. 그때까지 받은 데이터를 불러오시겠습니까?\n"       \
                       "[아니요]를 누르면 받은 데이터를 지웁니다.")                                        \
    X(kListingRecovered, "중단된 수신에서 복구한 데이터입니다.\n"                                           \
                         "데이터가 완전하지 않을 수 있습니다(샘플 %d개).")                              \
    /* Serial port */                                                                                          \
    X(kSerialInitFailed, "직렬포트(COM%d) 초기화 실패!\n"                                                       \
                         "다른 프로그램에서 직렬포트(COM%d)를 사용하고 있는지 확인해 주세요.")                  \
    X(kApplicationError, "Application Error")                                                                   \
    /* Why a port did not open: the device, the system's text, then what to do */                              \
    X(kHintOwnerOnly, "원인: %s: %s. 이 장치는 소유자만 열 수 있습니다. "                                       \
                      "관리자에게 장치 권한(udev 규칙)을 요청해 주세요.")                                       \
    X(kHintInGroup, "원인: %s: %s. '%s' 그룹에 가입되어 있으니 다시 로그인해 주세요.")                          \
    X(kHintJoinGroup, "원인: %s: %s. '%s' 그룹에 가입한 다음 다시 로그인해 주세요: sudo usermod -aG %s $USER")  \
    X(kHintNoDevice, "원인: %s: %s. 다른 장치를 지정해 주세요 (직렬 장치가 없습니다).")                         \
    X(kHintOtherDevice, "원인: %s: %s. 다른 장치를 지정해 주세요 (있는 장치: %s).")                             \
    X(kHintVariableNoDevice, "원인: %s: %s. %s 변수에 다른 장치를 지정해 주세요 (직렬 장치가 없습니다).")       \
    X(kHintVariableOtherDevice, "원인: %s: %s. %s 변수에 다른 장치를 지정해 주세요 (있는 장치: %s).")           \
    X(kHintBusyNamed, "원인: %s: %s. 프로세스 %d (%s)이(가) 이 장치를 사용하고 있습니다.")                      \
    X(kHintBusyPid, "원인: %s: %s. 프로세스 %d이(가) 이 장치를 사용하고 있습니다.")                             \
    X(kHintBusy, "원인: %s: %s. 다른 프로그램이 이 장치를 사용하고 있습니다.")                                  \
    X(kHintOther, "원인: %s: %s.")                                                                              \
    X(kHintNotSerial, "원인: %s: 직렬 포트가 아닙니다 (터미널 장치가 아닙니다). 직렬 장치를 지정해 주세요.")    \
    /* A port that is the system console is opened only when the user names its device (port, device,       \
       the variable, the device). */                                                                         \
    X(kConsolePortRefused, "직렬포트(COM%d) %s은(는) 시스템 콘솔이어서 열지 않았습니다.\n"                       \
                           "이 포트를 쓰려면 %s=%s 로 장치를 지정한 다음 프로그램을 다시 실행해 주세요.")         \
    /* Command-line programs (veldran-capture, veldran-convert) */                                            \
    X(kCliTryHelp, "자세한 내용은 '%s --help'를 실행해 보십시오.")                                              \
    X(kCliUnknownOption, "알 수 없는 옵션입니다: %s")                                                           \
    X(kCliNeedsValue, "%s 옵션에 값이 필요합니다.")                                                             \
    X(kCliRepeatedOption, "%s 옵션을 두 번 지정했습니다.")                                                      \
    X(kCliBadClock, "클럭 주기 '%s'은(는) 40ns, 2.5us, 1ms 같은 시간이나 OFF가 아닙니다.")                       \
    X(kCliBadPort, "--port 옵션에는 COM1..COM4 또는 장치를 지정해 주십시오.")                                   \
    X(kCliBadBaud, "--baud 옵션은 9600 또는 1200입니다.")                                                       \
    X(kCliBadTimeout, "--timeout 옵션에는 0보다 큰 초 수를 지정해 주십시오.")                                   \
    X(kCliNoOutput, "출력 파일이 없습니다 (-o OUT.vxr|.vcd|.csv|.sr).")                                         \
    X(kCliOutputSuffix, "출력 파일 이름은 .vxr, .vcd, .csv, .sr 중 하나로 끝나야 합니다: %s")                   \
    X(kCliConsolePort, "%s은(는) 시스템 콘솔입니다. 이 장치에서 받으려면 --port %s 로 직접 지정해 주십시오.")    \
    X(kCliFilesNeeded, "입력 파일과 출력 파일이 필요합니다.")                                                   \
    X(kCliTooManyFiles, "파일 이름이 너무 많습니다.")                                                           \
    X(kCliUnknownFormat, "알 수 없는 형식 '%s' (vcd, csv, sr, svg, png, pdf)")                                                 \
    X(kCliPictureOnly, "%s 옵션은 그림(.svg, .png, .pdf)을 만들 때만 씁니다.")                                     \
    X(kCliBadCell, "--cell의 값 '%s': 셀은 1, 2, 3 가운데 하나입니다.")                                          \
    X(kCliBadSize, "--size의 값 '%s': 64x64부터 16384x16384까지의 가로x세로로 써 주십시오.")                      \
    X(kCliBadPictureRange, "샘플 %s..%s은(는) 그릴 수 없습니다: 캡처는 샘플 0..%s이고 한 그림은 %s개까지입니다.") \
    X(kCliNoPictureProgram, "그림을 만드는 프로그램 %s을(를) 실행할 수 없습니다: %s")                            \
    X(kCliFormatFromName, "'%s'에서 형식을 알 수 없습니다: 이름을 .vcd, .csv, .sr, .svg, .png, .pdf로 끝내거나 --format을 지정해 주십시오.") \
    X(kCliNoJournal, "복구할 중단된 수신이 없습니다: %s") \
    X(kCliJournalBusy, "%s에는 지금 다른 수신이 기록하고 있습니다. 그 수신이 끝난 다음 복구해 주십시오.") \
    X(kCliNotJournal, "%s은(는) 수신 기록 파일이 아닙니다.") \
    X(kCliJournalKept, "지금까지 받은 데이터는 %s에 남아 있습니다. veldran-capture --recover -o OUT 으로 저장할 수 있습니다.") \
    /* Measurements panel: its title, the X cursor's pulse on the selected channel, and what lies       \
       between the cursors */                                                                             \
    X(kMeasureTitle, "측정")                                                                                    \
    X(kMeasureAtX, "X 커서의 펄스")                                                                             \
    X(kMeasureBetween, "X와 Y 사이")                                                                            \
    X(kMeasureSamples, "샘플")                                                                                  \
    X(kMeasureChannel, "채널")                                                                                  \
    X(kMeasureLevel, "레벨")                                                                                    \
    X(kMeasureWidth, "펄스 폭")                                                                                 \
    X(kMeasurePeriod, "주기")                                                                                   \
    X(kMeasureFrequency, "주파수")                                                                              \
    X(kMeasureDuty, "듀티비")                                                                                   \
    X(kMeasureDelta, "X − Y")                                                                                   \
    X(kMeasureInverse, "1 / (X − Y)")                                                                           \
    X(kMeasureRising, "상승 에지")                                                                              \
    X(kMeasureFalling, "하강 에지")                                                                             \
    X(kMeasureEdges, "전체 에지")                                                                               \
    /* Pattern search: the bar, its count (matches), and the status bar (match, matches; the sample) */   \
    X(kSearchTitle, "패턴 찾기")                                                                                \
    X(kSearchLabel, "패턴:")                                                                                    \
    X(kSearchPlaceholder, "예: D0=r, D7..D4=0x5")                                                               \
    X(kSearchNext, "다음")                                                                                      \
    X(kSearchPrevious, "이전")                                                                                  \
    X(kSearchCancel, "취소")                                                                                    \
    X(kSearchMatches, "일치 %d개")                                                                              \
    X(kSearchMatchOf, "일치 %d / %d")                                                                           \
    X(kSearchCounting, "샘플 %d에서 찾았습니다. 일치하는 샘플을 세고 있습니다...")                              \
    X(kSearchCountCancelled, "일치하는 샘플 세기를 취소했습니다.")                                              \
    X(kSearchNoNext, "샘플 %d 뒤에는 일치하는 샘플이 없습니다.")                                                \
    X(kSearchNoPrevious, "샘플 %d 앞에는 일치하는 샘플이 없습니다.")                                            \
    /* A search pattern that was refused (the term at fault, as written) */                                   \
    X(kPatternEmptyTerm, "검색 패턴에 빈 항이 있습니다. 쉼표 사이마다 조건을 하나씩 써 주십시오.")             \
    X(kPatternUnknownChannel, "검색 패턴의 항 \"%s\": 알 수 없는 채널입니다.")                                \
    X(kPatternBadValue, "검색 패턴의 항 \"%s\": 값이 올바르지 않습니다 (채널은 0, 1, h, l, r, f, e, 버스는 수).") \
    X(kPatternValueTooWide, "검색 패턴의 항 \"%s\": 값이 버스보다 넓습니다.")                                 \
    /* A bus definition that was refused (the part at fault, as written); a listing range given the wrong way round */ \
    X(kBusDefinitionNoEquals, "버스 정의 \"%s\"에 '='가 없습니다. 이름=채널 꼴로 써 주십시오 (예: DATA=D15..D8).")                         \
    X(kBusDefinitionNoName, "버스 정의 \"%s\"에 이름이 없습니다. '=' 앞에 버스 이름을 써 주십시오.")                                         \
    X(kBusDefinitionNoChannels, "버스 \"%s\"에 채널이 없습니다. '=' 뒤에 채널을 하나 이상 써 주십시오.")                                     \
    X(kBusDefinitionEmptyItem, "버스 정의에 빈 항목이 있습니다. 쉼표 사이마다 채널이나 범위를 하나씩 써 주십시오.")                                    \
    X(kBusDefinitionUnknownChannel, "버스 정의의 \"%s\": 알 수 없는 채널입니다.")                                                  \
    X(kBusDefinitionRepeatedChannel, "버스 정의의 \"%s\": 채널 %s이(가) 버스에 두 번 들어갑니다.")                                      \
    X(kListingRangeReversed, "시작 샘플 %s이(가) 끝 샘플 %s보다 뒤에 있습니다.")                                                \
    /* Markers, and the annotation file beside a capture: damage (its line), limits, what was dropped or cut */ \
    X(kMarkerLabelTooLong, "마커 이름은 %d자까지 쓸 수 있습니다.")                                                           \
    X(kMarkerNoteTooLong, "마커 메모는 %d바이트까지 쓸 수 있습니다.")                                                          \
    X(kSidecarDamaged, "주석 파일 %s의 %d번째 줄이 손상되었습니다. 이 파일의 주석은 하나도 쓰지 않았습니다.")                                   \
    X(kSidecarBadHeader, "첫 줄이 \"%s\"이어야 합니다.")                                                                \
    X(kSidecarUnknownVersion, "이 프로그램이 모르는 판(%s)의 주석 파일입니다.")                                                  \
    X(kSidecarOverLimit, "주석 파일 %s은(는) %d번째 줄에서 한도를 넘으므로 이 파일의 주석은 하나도 쓰지 않았습니다.")                             \
    X(kAnnotationLimits, "마커는 %d개, 버스는 %d개, 메모는 %d바이트, 한 줄은 %d바이트, 파일은 %d바이트까지입니다.")                           \
    X(kSidecarPartlyUsed, "주석 파일 %s의 일부를 쓰지 않았습니다.")                                                           \
    X(kSidecarMarkersDropped, "캡처 밖에 있는 마커 %d개를 버렸습니다 (캡처는 샘플 %d개).")                                          \
    X(kSidecarBusesDropped, "캡처에 없는 채널을 쓰는 버스를 버렸습니다: %s")                                                     \
    X(kSidecarLabelsCut, "마커 이름 %d개가 너무 길어 %d자로 줄였습니다.")                                                       \
    X(kCannotReadAnnotations, "주석 파일 %s을(를) 읽을 수 없습니다.")                                                       \
    X(kCannotSaveAnnotations, "주석 파일 %s을(를) 저장할 수 없습니다. 기존 파일은 바뀌지 않았습니다.")                                    \
    /* The markers panel and the marker dialog; stepping to a marker that is not there */                  \
    X(kMarkerTitle, "마커")                                                                                     \
    X(kMarkerSampleColumn, "샘플 번호")                                                                         \
    X(kMarkerTimeColumn, "시간")                                                                                \
    X(kMarkerLabelColumn, "이름")                                                                               \
    X(kMarkerNoteColumn, "메모")                                                                                \
    X(kMarkerEdit, "마커 편집")                                                                                 \
    X(kMarkerOnSample, "샘플 %s의 마커")                                                                        \
    X(kMarkerLabelCaption, "이름(&L):")                                                                         \
    X(kMarkerNoteCaption, "메모(&N):")                                                                          \
    X(kMarkerColourCaption, "색(&C):")                                                                          \
    X(kMarkerChooseColour, "색 고르기...")                                                                      \
    X(kNoMarkerAfter, "샘플 %d 이후에 마커가 없습니다")                                                         \
    X(kNoMarkerBefore, "샘플 %d 이전에 마커가 없습니다")                                                        \
    /* File > Export View: the picture's file and its size */                                                  \
    X(kPictureFilterSvg, "SVG 그림 (*.svg)")                                                                    \
    X(kPictureFilterPng, "PNG 그림 (*.png)")                                                                    \
    X(kPictureFilterPdf, "PDF 문서 (*.pdf)")                                                                    \
    X(kPictureSizeTitle, "그림 크기")                                                                           \
    X(kPictureWidthCaption, "가로(&W):")                                                                        \
    X(kPictureHeightCaption, "세로(&H):")                                                                       \
    X(kPictureUnknownSuffix, "%s: 그림 파일의 이름은 .svg, .png 또는 .pdf로 끝나야 합니다.")                    \
    /* veldran-analyze: its command line, and its figures as it prints them */                               \
    X(kCliNoCommand, "명령을 지정해 주십시오: find, measure, edges, listing, decode")                                            \
    /* The Decode panel */ \
    X(kDecodeTitle, "디코드") \
    X(kDecodeSearch, "디코더 찾기 (이름, 설명)") \
    X(kDecodeUnmapped, "(연결 안 함)") \
    X(kDecodeNoStacked, "(위에 쌓을 디코더 없음)") \
    X(kDecodeRun, "디코드 실행") \
    X(kDecodeExportCsv, "CSV로 내보내기...") \
    X(kDecodeFilterText, "주석 글자로 거르기") \
    X(kDecodeAllRows, "모든 줄") \
    X(kDecodeAnnotationCount, "주석 %s개") \
    X(kDecodeCancelled, "디코드를 취소했습니다.") \
    X(kDecodeStartSample, "시작 샘플") \
    X(kDecodeEndSample, "끝 샘플") \
    X(kDecodeStartTime, "시작 시간") \
    X(kDecodeEndTime, "끝 시간") \
    X(kDecodeDecoder, "디코더") \
    X(kDecodeRow, "줄") \
    X(kDecodeText, "내용") \
    X(kDecodeCsvFilter, "CSV 파일 (*.csv)") \
    X(kDecodeCsvFailed, "주석을 %s에 쓸 수 없습니다: %s") \
    /* Protocol decoding: what was wrong with the decoders asked for, or with their run */               \
    X(kDecodeLibraryFailed, "디코더 라이브러리(libsigrokdecode)를 시작할 수 없습니다.") \
    X(kDecodeNoDecoder, "디코더를 지정해 주십시오.") \
    X(kDecodeUnknownDecoder, "알 수 없는 디코더입니다: %s") \
    X(kDecodeNotStackable, "디코더 %s은(는) %s 위에 쌓을 수 없습니다: %s은(는) %s을(를) 내고 %s은(는) %s을(를) 받습니다.") \
    X(kDecodeNeedsDecoderBelow, "디코더 %s은(는) 채널이 아니라 %s을(를) 받습니다. 그것을 내는 디코더 위에 쌓아 주십시오.") \
    X(kDecodeUnknownOption, "디코더 %s에는 %s 옵션이 없습니다 (옵션: %s).") \
    X(kDecodeOptionNotAllowed, "디코더 %s의 %s 옵션에 '%s'은(는) 쓸 수 없습니다 (쓸 수 있는 값: %s).") \
    X(kDecodeOptionNotInteger, "디코더 %s의 %s 옵션은 정수여야 합니다: '%s'") \
    X(kDecodeOptionNotNumber, "디코더 %s의 %s 옵션은 수여야 합니다: '%s'") \
    X(kDecodeRepeatedSetting, "디코더 %s에 %s을(를) 두 번 지정했습니다.") \
    X(kDecodeUnknownChannel, "디코더 %s에는 %s 채널이 없습니다 (채널: %s).") \
    X(kDecodeMissingChannel, "디코더 %s의 %s 채널을 지정해 주십시오 (예: %s=D0).") \
    X(kDecodeNotCaptureChannel, "디코더 %s의 %s 채널에 지정한 '%s'은(는) 캡처의 채널이 아닙니다 (D0..D47 또는 채널 이름).") \
    X(kDecodeStackedChannels, "디코더 %s은(는) 아래 디코더의 출력을 받으므로 채널을 지정할 수 없습니다.") \
    X(kDecodeNeedsClock, "디코더 %s은(는) 샘플 속도가 필요한데 클럭이 OFF입니다. 클럭 주기를 지정해 주십시오. 아무것도 디코딩하지 않았습니다.") \
    X(kDecodeNoSamples, "디코딩할 샘플이 없습니다.") \
    X(kDecodeSessionFailed, "디코더 %s을(를) 준비할 수 없습니다.") \
    X(kDecodeDecoderFailed, "디코더 %s이(가) 샘플 %s 부근에서 실패했습니다. 그 앞까지 디코딩한 결과만 남았습니다.") \
    X(kDecodeUnknownAnnotation, "디코더 %s에는 %s 주석 행이나 클래스가 없습니다.") \
    X(kDecodeAnnotationsNotDecoded, "-A의 디코더 %s은(는) -P로 지정하지 않았습니다.") \
    X(kCliBadDecoderPart, "'%s'은(는) 키=값 형식이 아닙니다 (예: uart:rx=D0:baudrate=115200).") \
    /* veldran-analyze: its command line, and its figures as it prints them */                               \
    X(kCliUnknownCommand, "알 수 없는 명령입니다: %s")                                                          \
    X(kCliCommandNeeds, "%s 명령에는 %s이(가) 필요합니다.")                                                     \
    X(kCliTooManyArguments, "인수가 너무 많습니다: %s")                                                         \
    X(kCliNotASample, "%s 옵션의 값 '%s'은(는) 샘플 번호가 아닙니다.")                                          \
    X(kCliSampleOutside, "샘플 %s은(는) 캡처 밖에 있습니다 (샘플 0..%s).")                                      \
    X(kCliEmptyCapture, "캡처에 샘플이 없습니다.")                                                              \
    X(kCliOptionsClash, "%s 옵션과 %s 옵션은 함께 쓸 수 없습니다.")                                             \
    X(kCliUnknownChannel, "알 수 없는 채널입니다: %s")                                                          \
    X(kAnalyzeMatch, "일치 %s")                                                                                 \
    X(kAnalyzeNoMatch, "일치 없음")                                                                             \
    X(kAnalyzeMatchCount, "일치 %s개")                                                                          \
    X(kAnalyzeLevel, "레벨 %s")                                                                                 \
    X(kAnalyzeWidth, "폭 %s")                                                                                   \
    X(kAnalyzePeriod, "주기 %s")                                                                                \
    X(kAnalyzeDuty, "듀티 %s")                                                                                  \
    X(kAnalyzeFrequency, "주파수 %s")                                                                           \
    X(kAnalyzeSamples, "샘플 %s개")                                                                             \
    X(kAnalyzeAbsent, "없음")                                                                                   \
    X(kAnalyzeRising, "상승 에지 %s")                                                                           \
    X(kAnalyzeFalling, "하강 에지 %s")                                                                          \
    X(kAnalyzeTotalEdges, "에지 전체 %s")                                                                       \
    /* veldran-analyze listing: its options, and the column heads of its table */                             \
    X(kCliBadRadix, "--radix의 값 '%s': hex, unsigned, signed, ascii, binary 가운데 하나입니다.")             \
    X(kCliRadixWithoutBus, "--radix 옵션은 --bus 옵션으로 지정한 버스에만 씁니다.")                            \
    X(kCliNoBuses, "나열할 버스가 없습니다. --bus 이름=채널로 지정하거나 창에서 버스를 정의해 주십시오 (주석 파일 %s).") \
    X(kListingSampleHead, "샘플번호")                                                                        \
    X(kListingTimeHead, "시간(초)")                                                                           \
    /* Settings */                                                                                             \
    X(kSettingsChanged, "통신 환경이 변경되었습니다.\n"                                                         \
                        "새로운 변경 사항을 적용하려면 프로그램을 다시 실행하시기 바랍니다.")                   \
    X(kCannotWriteSettings, "환경저장 파일을 저장할 수 없습니다.")                                              \
    /* Printing */                                                                                             \
    X(kNothingToCapture, "인쇄할 데이터가 하나도 없습니다.")                                                    \
    X(kReadyToPrint, "현재 데이터를 인쇄할 준비가 되었습니다.")                                                 \
    X(kCannotStoreCapture, "인쇄할 데이터를 파일(%s)에 저장할 수 없습니다.\n"                                   \
                           "디스크 공간과 쓰기 권한을 확인해 주십시오.")                                        \
    X(kNothingToPrint, "인쇄할 데이터가 없습니다.\n인쇄를 하려면 먼저 인쇄할 데이터를 설정해야 합니다.")        \
    X(kPrinterCannotPrint, "현재 선택된 프린터(%s)로는 인쇄할 수 없습니다.\n다른 프린터를 선택해 주십시오.")    \
    X(kCannotStartPrint, "인쇄 작업을 시작할 수 없습니다.\n프린터 설정을 확인해 주십시오.")                     \
    X(kCannotOpenBitmap, "Error : Cannot open Bitmap File!")                                                    \
    /* Moving over the traces: the edge jumps that found nothing (a channel or a cell, the sample), */         \
    /* and the cursor the keys move */                                                                        \
    X(kNoEdgeAfter, "%s: 샘플 %d 이후에 에지가 없습니다")                                                       \
    X(kNoEdgeBefore, "%s: 샘플 %d 이전에 에지가 없습니다")                                                      \
    X(kActiveCursorX, "활성 커서: X")                                                                          \
    X(kActiveCursorY, "활성 커서: Y")                                                                          \
    /* Buses: the dialog that defines them (its refusals name the bus: its place, its name), the radixes, */ \
    /* the panel of their values at the cursors and the listing of every sample */                          \
    X(kBusDialogTitle, "버스 정의")                                                                            \
    X(kBusListCaption, "버스:")                                                                                \
    X(kBusAdd, "새 버스")                                                                                      \
    X(kBusRemove, "버스 삭제")                                                                                 \
    X(kBusNameCaption, "이름:")                                                                                \
    X(kBusRadixCaption, "진법:")                                                                               \
    X(kBusAvailableCaption, "채널:")                                                                           \
    X(kBusChannelsCaption, "버스의 채널 (맨 위가 최상위 비트):")                                              \
    X(kBusTakeChannel, "넣기 →")                                                                               \
    X(kBusDropChannel, "← 빼기")                                                                               \
    X(kBusMoveUp, "위로")                                                                                      \
    X(kBusMoveDown, "아래로")                                                                                  \
    X(kBusDefinitionCaption, "정의:")                                                                          \
    X(kBusDefinitionHint, "예: DATA=D7..D0 (첫 채널이 최상위 비트)")                                          \
    X(kBusApplyDefinition, "적용")                                                                             \
    X(kRadixHex, "16진수")                                                                                     \
    X(kRadixUnsigned, "부호 없는 10진수")                                                                      \
    X(kRadixSigned, "부호 있는 10진수")                                                                        \
    X(kRadixAscii, "ASCII 문자")                                                                               \
    X(kRadixBinary, "2진수")                                                                                   \
    X(kBusNameMissing, "%d번째 버스에 이름이 없습니다. 버스 이름을 써 주십시오.")                              \
    X(kBusChannelsMissing, "버스 \"%s\"에 채널이 없습니다. 채널을 하나 이상 넣어 주십시오.")                 \
    X(kBusValuesTitle, "버스 값")                                                                              \
    X(kBusColumn, "버스")                                                                                      \
    X(kBusAtX, "X 커서")                                                                                       \
    X(kBusAtY, "Y 커서")                                                                                       \
    X(kBusNone, "정의된 버스가 없습니다. 보기 메뉴의 버스 정의에서 만드십시오.")                               \
    X(kListingTitle, "상태 목록")                                                                              \
    X(kListingSample, "샘플 번호")                                                                             \
    X(kListingTime, "시간 (s)")

namespace veldran::text {

#define VELDRAN_DEFINE_SCREEN_TEXT(name, source) inline constexpr const char* name = source;
VELDRAN_SCREEN_TEXTS(VELDRAN_DEFINE_SCREEN_TEXT)
#undef VELDRAN_DEFINE_SCREEN_TEXT

// Every screen text, in table order.
#define VELDRAN_LIST_SCREEN_TEXT(name, source) source,
inline constexpr const char* const kScreenTexts[] = {VELDRAN_SCREEN_TEXTS(VELDRAN_LIST_SCREEN_TEXT)};
#undef VELDRAN_LIST_SCREEN_TEXT

// Names, not prose: identifiers and file types the system and the settings know the program by.
inline constexpr const char* kFileExtension = ".vxr";
inline constexpr const char* kDocTypeId = "VELDRAN.Document";
inline constexpr const char* kDocTypeName = "VELDRAN Document";
inline constexpr const char* kSettingsOrganisation = "Local AppWizard-Generated Applications";

} // namespace veldran::text

namespace veldran::filetext {

// The document's title until it is saved or opened. The printed header carries it as it is; the
// window shows it translated.
inline constexpr const char* kUntitled = "제목없음";
// The first line of veldran.cfg, written in the Korean code page.
inline constexpr const char* kSettingsTitle = "[이 파일은 VELDRAN의 환경저장 파일입니다.]";
// The printed page: its header line, and the note drawn while the snapshot is being converted.
inline constexpr const char* kPrintHeader = "Logic Analyzer, VELDRAN : ";
inline constexpr const char* kProcessing = "지금 처리중입니다. 잠시만 기다리세요...";

} // namespace veldran::filetext
