<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The English face of VELDRAN. Sources are the program's own texts, exactly as the code holds
     them (Korean, or the program's English words); the program looks every text up in context
     VELDRAN where it shows it. Written by hand and compiled by lrelease; a new text of the program
     needs one <message> here, and the i18n tests name any text that has none. -->
<TS version="2.1" language="en_US" sourcelanguage="ko_KR">
<context>
    <name>VELDRAN</name>
    <message>
        <source>FIle(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>VELDRAN(&amp;M)</source>
        <translation>VELDRAN(&amp;M)</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>New File(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Open(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Save(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Save As(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Print(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Print Preview(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>Printer Setting(&amp;R)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>최근 파일</source>
        <translation>Recent File</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Expand(&amp;E)</source>
        <translation>&amp;Expand</translation>
    </message>
    <message>
        <source>Contract(&amp;C)</source>
        <translation>&amp;Contract</translation>
    </message>
    <message>
        <source>Select Cell(&amp;S)</source>
        <translation>&amp;Select Cell</translation>
    </message>
    <message>
        <source>Load From VXR(&amp;L)</source>
        <translation>&amp;Load from VXR</translation>
    </message>
    <message>
        <source>Capture Data(&amp;T)</source>
        <translation>Cap&amp;ture Data</translation>
    </message>
    <message>
        <source>Options(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>Change CH Name(&amp;H)...</source>
        <translation>Rename C&amp;hannels...</translation>
    </message>
    <message>
        <source>VELDRAN Info(&amp;I)...</source>
        <translation>&amp;About VELDRAN...</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Show or hide OptionBar</source>
        <translation>Show or hide the option bar</translation>
    </message>
    <message>
        <source>Toggle OptionBar</source>
        <translation>Toggle Option Bar</translation>
    </message>
    <message>
        <source>데이터를 좀더 확장하여 자세히 봅니다.</source>
        <translation>Zoom in to see the data in more detail</translation>
    </message>
    <message>
        <source>확장</source>
        <translation>Expand</translation>
    </message>
    <message>
        <source>데이터를 좀더 축소하여 대략적으로 봅니다.</source>
        <translation>Zoom out for an overview of the data</translation>
    </message>
    <message>
        <source>축소</source>
        <translation>Contract</translation>
    </message>
    <message>
        <source>VELDRAN에서 데이터를 전송받습니다.</source>
        <translation>Receive a capture from the VELDRAN</translation>
    </message>
    <message>
        <source>데이터 전송</source>
        <translation>Receive Data</translation>
    </message>
    <message>
        <source>환경 설정을 합니다.</source>
        <translation>Choose the serial port, its speed and the clock period</translation>
    </message>
    <message>
        <source>환경설정</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>채널을 선택합니다.</source>
        <translation>Show the next cell of sixteen channels</translation>
    </message>
    <message>
        <source>채널선택</source>
        <translation>Select Cell</translation>
    </message>
    <message>
        <source>채널의 이름을 바꿉니다.</source>
        <translation>Rename the channels</translation>
    </message>
    <message>
        <source>채널명 바꾸기</source>
        <translation>Rename Channels</translation>
    </message>
    <message>
        <source>인쇄할 데이터를 설정합니다.</source>
        <translation>Take a snapshot of the diagram for printing</translation>
    </message>
    <message>
        <source>인쇄데이터 설정</source>
        <translation>Capture Data</translation>
    </message>
    <message>
        <source>새 캡처를 만듭니다.</source>
        <translation>Start a new capture</translation>
    </message>
    <message>
        <source>새 파일</source>
        <translation>New</translation>
    </message>
    <message>
        <source>저장된 캡처 파일을 엽니다.</source>
        <translation>Open a saved capture file</translation>
    </message>
    <message>
        <source>열기</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>현재 캡처를 저장합니다.</source>
        <translation>Save the current capture</translation>
    </message>
    <message>
        <source>저장</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>현재 캡처를 새 이름으로 저장합니다.</source>
        <translation>Save the current capture under a new name</translation>
    </message>
    <message>
        <source>다른 이름으로 저장</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>현재 캡처를 인쇄합니다.</source>
        <translation>Print the current capture</translation>
    </message>
    <message>
        <source>인쇄</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>인쇄될 페이지를 미리 봅니다.</source>
        <translation>Preview the printed page</translation>
    </message>
    <message>
        <source>인쇄 미리 보기</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>프린터와 인쇄 옵션을 바꿉니다.</source>
        <translation>Change the printer and the printing options</translation>
    </message>
    <message>
        <source>인쇄 설정</source>
        <translation>Print Setup</translation>
    </message>
    <message>
        <source>이 캡처 파일을 엽니다.</source>
        <translation>Open this capture file</translation>
    </message>
    <message>
        <source>프로그램을 끝냅니다. 저장할지 묻습니다.</source>
        <translation>Quit the program, offering to save the capture</translation>
    </message>
    <message>
        <source>끝내기</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>프로그램 정보와 버전을 표시합니다.</source>
        <translation>Show the program's information and version</translation>
    </message>
    <message>
        <source>정보</source>
        <translation>About</translation>
    </message>
    <message>
        <source>EXPAND</source>
        <translation>EXPAND</translation>
    </message>
    <message>
        <source>CONTRACT</source>
        <translation>CONTRACT</translation>
    </message>
    <message>
        <source>CELL</source>
        <translation>CELL</translation>
    </message>
    <message>
        <source>LOAD</source>
        <translation>LOAD</translation>
    </message>
    <message>
        <source>CAPTURE</source>
        <translation>CAPTURE</translation>
    </message>
    <message>
        <source>OPTIONS...</source>
        <translation>OPTIONS...</translation>
    </message>
    <message>
        <source>준비</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>Clock period : </source>
        <translation>Clock period: </translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>100 millisec</source>
        <translation>100 ms</translation>
    </message>
    <message>
        <source>50 millisec</source>
        <translation>50 ms</translation>
    </message>
    <message>
        <source>20 millisec</source>
        <translation>20 ms</translation>
    </message>
    <message>
        <source>10 millisec</source>
        <translation>10 ms</translation>
    </message>
    <message>
        <source>5 millisec</source>
        <translation>5 ms</translation>
    </message>
    <message>
        <source>2 millisec</source>
        <translation>2 ms</translation>
    </message>
    <message>
        <source>1 millisec</source>
        <translation>1 ms</translation>
    </message>
    <message>
        <source>500 microsec</source>
        <translation>500 µs</translation>
    </message>
    <message>
        <source>200 microsec</source>
        <translation>200 µs</translation>
    </message>
    <message>
        <source>100 microsec</source>
        <translation>100 µs</translation>
    </message>
    <message>
        <source>50 microsec</source>
        <translation>50 µs</translation>
    </message>
    <message>
        <source>20 microsec</source>
        <translation>20 µs</translation>
    </message>
    <message>
        <source>10 microsec</source>
        <translation>10 µs</translation>
    </message>
    <message>
        <source>5 microsec</source>
        <translation>5 µs</translation>
    </message>
    <message>
        <source>2 microsec</source>
        <translation>2 µs</translation>
    </message>
    <message>
        <source>1 microsec</source>
        <translation>1 µs</translation>
    </message>
    <message>
        <source>500 nanosec</source>
        <translation>500 ns</translation>
    </message>
    <message>
        <source>200 nanosec</source>
        <translation>200 ns</translation>
    </message>
    <message>
        <source>100 nanosec</source>
        <translation>100 ns</translation>
    </message>
    <message>
        <source>50 nanosec</source>
        <translation>50 ns</translation>
    </message>
    <message>
        <source>40 nanosec</source>
        <translation>40 ns</translation>
    </message>
    <message>
        <source>VELDRAN 정보</source>
        <translation>About VELDRAN</translation>
    </message>
    <message>
        <source>VELDRAN 버전 2.0</source>
        <translation>VELDRAN version 2.0</translation>
    </message>
    <message>
        <source>48채널 로직 분석기 데스크톱 프로그램</source>
        <translation>48-channel logic analyzer software</translation>
    </message>
    <message>
        <source>확인</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>환경 변수를 설정합니다.</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>통신포트 설정</source>
        <translation>Serial Port</translation>
    </message>
    <message>
        <source>Port #</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Clock Period 설정</source>
        <translation>Clock Period</translation>
    </message>
    <message>
        <source>전송을 취소합니다.</source>
        <translation>Cancel Transfer</translation>
    </message>
    <message>
        <source>데이터 전송모드로 전환하였습니다.</source>
        <translation>Now in data transfer mode.</translation>
    </message>
    <message>
        <source>VELDRAN에서 &quot;STATE&quot;버튼을 눌러 데이타를 전송하시기 바랍니다.</source>
        <translation>Press the &quot;STATE&quot; button on the VELDRAN to send the data.</translation>
    </message>
    <message>
        <source>올바른 STATE 전송을 위한 VELDRAN 환경설정</source>
        <translation>VELDRAN settings for a correct STATE transfer</translation>
    </message>
    <message>
        <source>STATE LISTING FORMAT/GROUP FORMATS 설정은 다음과 같아야 합니다.</source>
        <translation>Set STATE LISTING FORMAT/GROUP FORMATS as follows:</translation>
    </message>
    <message>
        <source>	Name	Radix	Bits	Field	Logic</source>
        <translation>	Name	Radix	Bits	Field	Logic</translation>
    </message>
    <message>
        <source>CELL 1	xxxx	BIN	16	17	xxxx</source>
        <translation>CELL 1	xxxx	BIN	16	17	xxxx</translation>
    </message>
    <message>
        <source>CELL 2	xxxx	BIN	16	17	xxxx</source>
        <translation>CELL 2	xxxx	BIN	16	17	xxxx</translation>
    </message>
    <message>
        <source>CELL 3	xxxx	BIN	16	17	xxxx</source>
        <translation>CELL 3	xxxx	BIN	16	17	xxxx</translation>
    </message>
    <message>
        <source>CELL 4 ~ CELL 8 is all OFF</source>
        <translation>CELL 4 to CELL 8: all OFF</translation>
    </message>
    <message>
        <source>채널의 이름을 바꿀 수 있습니다...</source>
        <translation>Channel Names</translation>
    </message>
    <message>
        <source>채널 %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>확    인</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>취    소</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>VELDRAN</source>
        <translation>VELDRAN</translation>
    </message>
    <message>
        <source>VELDRAN 파일 (*.vxr)</source>
        <translation>VELDRAN files (*.vxr)</translation>
    </message>
    <message>
        <source>%s에 변경 내용을 저장하시겠습니까?</source>
        <translation>Save changes to %s?</translation>
    </message>
    <message>
        <source>전송오류 : 수신을 중단합니다.</source>
        <translation>Transmission error: reception stopped.</translation>
    </message>
    <message>
        <source>[전송오류] 잘못된 데이터입니다.</source>
        <translation>[Transmission error] Invalid data.</translation>
    </message>
    <message>
        <source>수신한 데이터 중 %d줄이 손상되었습니다(첫 줄: 샘플 %d). 손상된 셀은 잘못된 데이터로 읽힙니다.</source>
        <translation>%d lines of the listing arrived damaged (the first at sample %d); their damaged cells read as invalid data.</translation>
    </message>
    <message>
        <source>수신한 데이터가 캡처 한 개보다 깁니다. 처음 샘플 %d개만 보관하고 나머지 %d줄은 버렸습니다.</source>
        <translation>The listing is longer than a capture can hold: the first %d samples are kept, and %d further lines were dropped.</translation>
    </message>
    <message>
        <source>VELDRAN용 데이타가 아닙니다.</source>
        <translation>This is not VELDRAN data.</translation>
    </message>
    <message>
        <source>저장할 데이터가 없습니다.
VELDRAN에서 데이터를 받거나 파일을 연 다음 저장해 주십시오.</source>
        <translation>There is no data to save.
Receive a capture from the VELDRAN or open a file first.</translation>
    </message>
    <message>
        <source>저장할 데이터가 너무 많습니다.</source>
        <translation>There is too much data to save.</translation>
    </message>
    <message>
        <source>파일을 열 수 없습니다.</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>파일을 저장할 수 없습니다. 기존 파일은 바뀌지 않았습니다.</source>
        <translation>The file cannot be saved. The existing file is unchanged.</translation>
    </message>
    <message>
        <source>누구나 쓸 수 있는 폴더에 있는 다른 사용자의 심볼릭 링크이므로 따라가지 않았습니다.</source>
        <translation>A symbolic link of another user in a folder anyone may write; it was not followed.</translation>
    </message>
    <message>
        <source>No Data ...</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>Given value is out of range.</source>
        <translation>The value is out of range.</translation>
    </message>
    <message>
        <source>Characters must be a number.</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>통신 연결이 되어있지 않습니다.</source>
        <translation>The serial port is not open.</translation>
    </message>
    <message>
        <source>전송중인 데이터 :</source>
        <translation>Receiving data: </translation>
    </message>
    <message>
        <source>[전송에러] 수신을 중단합니다.
VELDRAN에서 송신을 중단해 주십시오.
다시 시작 하려면 &quot;LOAD&quot;버튼을 누른 후 VELDRAN의 &quot;STATE&quot;버튼을 눌러주세요.</source>
        <translation>[Transfer error] Reception stopped.
Please stop the transfer on the VELDRAN.
To start again, press &quot;LOAD&quot;, then press &quot;STATE&quot; on the VELDRAN.</translation>
    </message>
    <message>
        <source>VELDRAN으로부터 데이터를 받고 있습니다.</source>
        <translation>Receiving Data from the VELDRAN</translation>
    </message>
    <message>
        <source>직렬포트(COM%d) 초기화 실패!
다른 프로그램에서 직렬포트(COM%d)를 사용하고 있는지 확인해 주세요.</source>
        <translation>Could not open serial port COM%d!
Check whether another program is using serial port COM%d.</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Application Error</translation>
    </message>
    <message>
        <source>통신 환경이 변경되었습니다.
새로운 변경 사항을 적용하려면 프로그램을 다시 실행하시기 바랍니다.</source>
        <translation>The communication settings have changed.
Restart the program to apply them.</translation>
    </message>
    <message>
        <source>환경저장 파일을 저장할 수 없습니다.</source>
        <translation>The settings file cannot be saved.</translation>
    </message>
    <message>
        <source>인쇄할 데이터가 하나도 없습니다.</source>
        <translation>There is no data to print.</translation>
    </message>
    <message>
        <source>현재 데이터를 인쇄할 준비가 되었습니다.</source>
        <translation>The current data is ready to print.</translation>
    </message>
    <message>
        <source>인쇄할 데이터를 파일(%s)에 저장할 수 없습니다.
디스크 공간과 쓰기 권한을 확인해 주십시오.</source>
        <translation>The data to print cannot be saved in the file %s.
Check the free disk space and the write permission.</translation>
    </message>
    <message>
        <source>인쇄할 데이터가 없습니다.
인쇄를 하려면 먼저 인쇄할 데이터를 설정해야 합니다.</source>
        <translation>There is no data to print.
Choose Capture Data first to take the snapshot to print.</translation>
    </message>
    <message>
        <source>현재 선택된 프린터(%s)로는 인쇄할 수 없습니다.
다른 프린터를 선택해 주십시오.</source>
        <translation>The selected printer (%s) cannot print this page.
Please choose another printer.</translation>
    </message>
    <message>
        <source>인쇄 작업을 시작할 수 없습니다.
프린터 설정을 확인해 주십시오.</source>
        <translation>The print job cannot be started.
Check the printer settings.</translation>
    </message>
    <message>
        <source>Error : Cannot open Bitmap File!</source>
        <translation>Error: cannot open the bitmap file!</translation>
    </message>
    <message>
        <source>제목없음</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>Export(&amp;E)...</source>
        <translation>&amp;Export...</translation>
    </message>
    <message>
        <source>현재 캡처를 다른 프로그램용 파일(VCD, CSV, sigrok)로 내보냅니다.</source>
        <translation>Export the current capture for other programs (VCD, CSV, sigrok)</translation>
    </message>
    <message>
        <source>내보내기</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>VCD 파일 - GTKWave, PulseView (*.vcd)</source>
        <translation>VCD files - GTKWave, PulseView (*.vcd)</translation>
    </message>
    <message>
        <source>CSV 파일 - 스프레드시트 (*.csv)</source>
        <translation>CSV files - spreadsheets (*.csv)</translation>
    </message>
    <message>
        <source>sigrok 세션 - PulseView, sigrok-cli (*.sr)</source>
        <translation>sigrok sessions - PulseView, sigrok-cli (*.sr)</translation>
    </message>
    <message>
        <source>파일을 내보낼 수 없습니다.</source>
        <translation>The file cannot be exported.</translation>
    </message>
    <message>
        <source>원인: %s: %s. 이 장치는 소유자만 열 수 있습니다. 관리자에게 장치 권한(udev 규칙)을 요청해 주세요.</source>
        <translation>Cause: %s: %s. Only the device's owner may open it; ask the administrator for access to it (a udev rule).</translation>
    </message>
    <message>
        <source>원인: %s: %s. '%s' 그룹에 가입되어 있으니 다시 로그인해 주세요.</source>
        <translation>Cause: %s: %s. You are in the '%s' group already; log in again to use it.</translation>
    </message>
    <message>
        <source>원인: %s: %s. '%s' 그룹에 가입한 다음 다시 로그인해 주세요: sudo usermod -aG %s $USER</source>
        <translation>Cause: %s: %s. Join the '%s' group, then log in again: sudo usermod -aG %s $USER</translation>
    </message>
    <message>
        <source>원인: %s: %s. 다른 장치를 지정해 주세요 (직렬 장치가 없습니다).</source>
        <translation>Cause: %s: %s. Name another device (no serial device is present).</translation>
    </message>
    <message>
        <source>원인: %s: %s. 다른 장치를 지정해 주세요 (있는 장치: %s).</source>
        <translation>Cause: %s: %s. Name another device (present: %s).</translation>
    </message>
    <message>
        <source>원인: %s: %s. %s 변수에 다른 장치를 지정해 주세요 (직렬 장치가 없습니다).</source>
        <translation>Cause: %s: %s. Set %s to another device (no serial device is present).</translation>
    </message>
    <message>
        <source>원인: %s: %s. %s 변수에 다른 장치를 지정해 주세요 (있는 장치: %s).</source>
        <translation>Cause: %s: %s. Set %s to another device (present: %s).</translation>
    </message>
    <message>
        <source>원인: %s: %s. 프로세스 %d (%s)이(가) 이 장치를 사용하고 있습니다.</source>
        <translation>Cause: %s: %s. Process %d (%s) is using the device.</translation>
    </message>
    <message>
        <source>원인: %s: %s. 프로세스 %d이(가) 이 장치를 사용하고 있습니다.</source>
        <translation>Cause: %s: %s. Process %d is using the device.</translation>
    </message>
    <message>
        <source>원인: %s: %s. 다른 프로그램이 이 장치를 사용하고 있습니다.</source>
        <translation>Cause: %s: %s. Another program is using the device.</translation>
    </message>
    <message>
        <source>원인: %s: %s.</source>
        <translation>Cause: %s: %s.</translation>
    </message>
    <message>
        <source>파일의 데이터가 완전하지 않습니다.
기록된 샘플 %d개 중 %d개와 채널 이름 48개 중 %d개만 읽었습니다.</source>
        <translation>The file's data is incomplete.
Of the %d samples it records, only %d were read, and %d of the 48 channel names.</translation>
    </message>
    <message>
        <source>원인: %s: 직렬 포트가 아닙니다 (터미널 장치가 아닙니다). 직렬 장치를 지정해 주세요.</source>
        <translation>Cause: %s: not a serial port (not a terminal device). Name a serial device.</translation>
    </message>
    <message>
        <source>직렬포트(COM%d) %s은(는) 시스템 콘솔이어서 열지 않았습니다.
이 포트를 쓰려면 %s=%s 로 장치를 지정한 다음 프로그램을 다시 실행해 주세요.</source>
        <translation>Serial port COM%d (%s) is the system console, so it was not opened.
To use it anyway, name it with %s=%s and start the program again.</translation>
    </message>
    <message>
        <source>자세한 내용은 '%s --help'를 실행해 보십시오.</source>
        <translation>Try '%s --help' for more information.</translation>
    </message>
    <message>
        <source>알 수 없는 옵션입니다: %s</source>
        <translation>unknown option %s</translation>
    </message>
    <message>
        <source>%s 옵션에 값이 필요합니다.</source>
        <translation>option %s needs a value</translation>
    </message>
    <message>
        <source>%s 옵션을 두 번 지정했습니다.</source>
        <translation>option %s is given more than once</translation>
    </message>
    <message>
        <source>클럭 주기 '%s'은(는) 40ns, 2.5us, 1ms 같은 시간이나 OFF가 아닙니다.</source>
        <translation>clock period '%s' is not a time such as 40ns, 2.5us, 1ms or OFF</translation>
    </message>
    <message>
        <source>--port 옵션에는 COM1..COM4 또는 장치를 지정해 주십시오.</source>
        <translation>--port needs COM1..COM4 or a device</translation>
    </message>
    <message>
        <source>--baud 옵션은 9600 또는 1200입니다.</source>
        <translation>--baud takes 9600 or 1200</translation>
    </message>
    <message>
        <source>--timeout 옵션에는 0보다 큰 초 수를 지정해 주십시오.</source>
        <translation>--timeout takes a number of seconds above 0</translation>
    </message>
    <message>
        <source>출력 파일이 없습니다 (-o OUT.vxr|.vcd|.csv|.sr).</source>
        <translation>no output file (-o OUT.vxr|.vcd|.csv|.sr)</translation>
    </message>
    <message>
        <source>출력 파일 이름은 .vxr, .vcd, .csv, .sr 중 하나로 끝나야 합니다: %s</source>
        <translation>the output file must end in .vxr, .vcd, .csv or .sr: %s</translation>
    </message>
    <message>
        <source>%s은(는) 시스템 콘솔입니다. 이 장치에서 받으려면 --port %s 로 직접 지정해 주십시오.</source>
        <translation>%s is the system console; to receive on it, name it with --port %s</translation>
    </message>
    <message>
        <source>입력 파일과 출력 파일이 필요합니다.</source>
        <translation>an input and an output file are needed</translation>
    </message>
    <message>
        <source>파일 이름이 너무 많습니다.</source>
        <translation>too many file names</translation>
    </message>
    <message>
        <source>알 수 없는 형식 '%s' (vcd, csv, sr, svg, png, pdf)</source>
        <translation>unknown format '%s' (vcd, csv, sr, svg, png or pdf)</translation>
    </message>
    <message>
        <source>'%s'에서 형식을 알 수 없습니다: 이름을 .vcd, .csv, .sr, .svg, .png, .pdf로 끝내거나 --format을 지정해 주십시오.</source>
        <translation>cannot tell the format from '%s': name it .vcd, .csv, .sr, .svg, .png or .pdf, or give --format</translation>
    </message>
    <message>
        <source>지난번 수신이 중간에 끊겼습니다. 그때까지 받은 데이터를 불러오시겠습니까?
[아니요]를 누르면 받은 데이터를 지웁니다.</source>
        <translation>The last reception was interrupted. Load the data received until then?
No deletes the data received.</translation>
    </message>
    <message>
        <source>중단된 수신에서 복구한 데이터입니다.
데이터가 완전하지 않을 수 있습니다(샘플 %d개).</source>
        <translation>This data was recovered from an interrupted reception.
It may be incomplete (%d samples).</translation>
    </message>
    <message>
        <source>복구할 중단된 수신이 없습니다: %s</source>
        <translation>no interrupted listing to recover: %s</translation>
    </message>
    <message>
        <source>%s에는 지금 다른 수신이 기록하고 있습니다. 그 수신이 끝난 다음 복구해 주십시오.</source>
        <translation>a reception is writing %s right now; recover it once that reception has ended</translation>
    </message>
    <message>
        <source>%s은(는) 수신 기록 파일이 아닙니다.</source>
        <translation>%s is not a listing journal</translation>
    </message>
    <message>
        <source>지금까지 받은 데이터는 %s에 남아 있습니다. veldran-capture --recover -o OUT 으로 저장할 수 있습니다.</source>
        <translation>what was received is kept in %s; write it with veldran-capture --recover -o OUT</translation>
    </message>
    <message>
        <source>측정</source>
        <translation>Measurements</translation>
    </message>
    <message>
        <source>X 커서의 펄스</source>
        <translation>Pulse at X</translation>
    </message>
    <message>
        <source>X와 Y 사이</source>
        <translation>Between X and Y</translation>
    </message>
    <message>
        <source>샘플</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>채널</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>레벨</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>펄스 폭</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>주기</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>주파수</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>듀티비</source>
        <translation>Duty cycle</translation>
    </message>
    <message>
        <source>X − Y</source>
        <translation>X − Y</translation>
    </message>
    <message>
        <source>1 / (X − Y)</source>
        <translation>1 / (X − Y)</translation>
    </message>
    <message>
        <source>상승 에지</source>
        <translation>Rising edges</translation>
    </message>
    <message>
        <source>하강 에지</source>
        <translation>Falling edges</translation>
    </message>
    <message>
        <source>전체 에지</source>
        <translation>All edges</translation>
    </message>
    <message>
        <source>패턴 찾기</source>
        <translation>Pattern search</translation>
    </message>
    <message>
        <source>패턴:</source>
        <translation>Pattern:</translation>
    </message>
    <message>
        <source>예: D0=r, D7..D4=0x5</source>
        <translation>e.g. D0=r, D7..D4=0x5</translation>
    </message>
    <message>
        <source>다음</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>이전</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>일치 %d개</source>
        <translation>%d matches</translation>
    </message>
    <message>
        <source>일치 %d / %d</source>
        <translation>Match %d of %d</translation>
    </message>
    <message>
        <source>샘플 %d에서 찾았습니다. 일치하는 샘플을 세고 있습니다...</source>
        <translation>Found at sample %d. Counting the matches...</translation>
    </message>
    <message>
        <source>일치하는 샘플 세기를 취소했습니다.</source>
        <translation>Counting the matches was cancelled.</translation>
    </message>
    <message>
        <source>샘플 %d 뒤에는 일치하는 샘플이 없습니다.</source>
        <translation>No match after sample %d.</translation>
    </message>
    <message>
        <source>샘플 %d 앞에는 일치하는 샘플이 없습니다.</source>
        <translation>No match before sample %d.</translation>
    </message>
    <message>
        <source>보기(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>측정 창(&amp;M)</source>
        <translation>&amp;Measurements</translation>
    </message>
    <message>
        <source>패턴 찾기 막대(&amp;B)</source>
        <translation>Pattern Search &amp;Bar</translation>
    </message>
    <message>
        <source>패턴 찾기(&amp;F)...</source>
        <translation>&amp;Find Pattern...</translation>
    </message>
    <message>
        <source>다음 찾기(&amp;N)</source>
        <translation>Find &amp;Next</translation>
    </message>
    <message>
        <source>이전 찾기(&amp;P)</source>
        <translation>Find &amp;Previous</translation>
    </message>
    <message>
        <source>F3</source>
        <translation>F3</translation>
    </message>
    <message>
        <source>Shift+F3</source>
        <translation>Shift+F3</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>측정 창을 보이거나 숨깁니다.</source>
        <translation>Show or hide the measurements panel</translation>
    </message>
    <message>
        <source>측정 창</source>
        <translation>Measurements panel</translation>
    </message>
    <message>
        <source>패턴 찾기 막대를 보이거나 숨깁니다.</source>
        <translation>Show or hide the pattern search bar</translation>
    </message>
    <message>
        <source>패턴 찾기 막대</source>
        <translation>Pattern search bar</translation>
    </message>
    <message>
        <source>찾을 패턴을 입력합니다.</source>
        <translation>Type the pattern to search for</translation>
    </message>
    <message>
        <source>활성 커서 뒤에서 패턴과 일치하는 첫 샘플로 커서를 옮깁니다.</source>
        <translation>Move the active cursor to the first match after it</translation>
    </message>
    <message>
        <source>다음 찾기</source>
        <translation>Find next</translation>
    </message>
    <message>
        <source>활성 커서 앞에서 패턴과 일치하는 마지막 샘플로 커서를 옮깁니다.</source>
        <translation>Move the active cursor to the last match before it</translation>
    </message>
    <message>
        <source>이전 찾기</source>
        <translation>Find previous</translation>
    </message>
    <message>
        <source>검색 패턴에 빈 항이 있습니다. 쉼표 사이마다 조건을 하나씩 써 주십시오.</source>
        <translation>The search pattern has an empty term. Write one condition between each pair of commas.</translation>
    </message>
    <message>
        <source>검색 패턴의 항 &quot;%s&quot;: 알 수 없는 채널입니다.</source>
        <translation>Search pattern term &quot;%s&quot;: unknown channel.</translation>
    </message>
    <message>
        <source>검색 패턴의 항 &quot;%s&quot;: 값이 올바르지 않습니다 (채널은 0, 1, h, l, r, f, e, 버스는 수).</source>
        <translation>Search pattern term &quot;%s&quot;: bad value (a channel takes 0, 1, h, l, r, f or e, a bus a number).</translation>
    </message>
    <message>
        <source>검색 패턴의 항 &quot;%s&quot;: 값이 버스보다 넓습니다.</source>
        <translation>Search pattern term &quot;%s&quot;: the value is wider than the bus.</translation>
    </message>
    <message>
        <source>버스 정의 &quot;%s&quot;에 '='가 없습니다. 이름=채널 꼴로 써 주십시오 (예: DATA=D15..D8).</source>
        <translation>Bus definition &quot;%s&quot; has no '='. Write it as name=channels (for example DATA=D15..D8).</translation>
    </message>
    <message>
        <source>버스 정의 &quot;%s&quot;에 이름이 없습니다. '=' 앞에 버스 이름을 써 주십시오.</source>
        <translation>Bus definition &quot;%s&quot; has no name. Write the bus name before the '='.</translation>
    </message>
    <message>
        <source>버스 &quot;%s&quot;에 채널이 없습니다. '=' 뒤에 채널을 하나 이상 써 주십시오.</source>
        <translation>Bus &quot;%s&quot; has no channels. Write one or more channels after the '='.</translation>
    </message>
    <message>
        <source>버스 정의에 빈 항목이 있습니다. 쉼표 사이마다 채널이나 범위를 하나씩 써 주십시오.</source>
        <translation>The bus definition has an empty item. Write one channel or range between each pair of commas.</translation>
    </message>
    <message>
        <source>버스 정의의 &quot;%s&quot;: 알 수 없는 채널입니다.</source>
        <translation>Bus definition part &quot;%s&quot;: unknown channel.</translation>
    </message>
    <message>
        <source>버스 정의의 &quot;%s&quot;: 채널 %s이(가) 버스에 두 번 들어갑니다.</source>
        <translation>Bus definition part &quot;%s&quot;: channel %s is in the bus twice.</translation>
    </message>
    <message>
        <source>시작 샘플 %s이(가) 끝 샘플 %s보다 뒤에 있습니다.</source>
        <translation>The first sample %s comes after the last sample %s.</translation>
    </message>
    <message>
        <source>마커 이름은 %d자까지 쓸 수 있습니다.</source>
        <translation>A marker label holds at most %d characters.</translation>
    </message>
    <message>
        <source>마커 메모는 %d바이트까지 쓸 수 있습니다.</source>
        <translation>A marker note holds at most %d bytes.</translation>
    </message>
    <message>
        <source>주석 파일 %s의 %d번째 줄이 손상되었습니다. 이 파일의 주석은 하나도 쓰지 않았습니다.</source>
        <translation>The annotation file %s is damaged at line %d. None of the annotations in this file were used.</translation>
    </message>
    <message>
        <source>첫 줄이 &quot;%s&quot;이어야 합니다.</source>
        <translation>The first line must read &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>이 프로그램이 모르는 판(%s)의 주석 파일입니다.</source>
        <translation>The annotation file is of a version this program does not know (%s).</translation>
    </message>
    <message>
        <source>주석 파일 %s은(는) %d번째 줄에서 한도를 넘으므로 이 파일의 주석은 하나도 쓰지 않았습니다.</source>
        <translation>The annotation file %s goes beyond the limits at line %d, so none of its annotations were used.</translation>
    </message>
    <message>
        <source>마커는 %d개, 버스는 %d개, 메모는 %d바이트, 한 줄은 %d바이트, 파일은 %d바이트까지입니다.</source>
        <translation>At most %d markers, %d buses, %d bytes a note, %d bytes a line and %d bytes a file.</translation>
    </message>
    <message>
        <source>주석 파일 %s의 일부를 쓰지 않았습니다.</source>
        <translation>Part of the annotation file %s was not used.</translation>
    </message>
    <message>
        <source>캡처 밖에 있는 마커 %d개를 버렸습니다 (캡처는 샘플 %d개).</source>
        <translation>%d markers beyond the end of the capture were dropped (the capture has %d samples).</translation>
    </message>
    <message>
        <source>캡처에 없는 채널을 쓰는 버스를 버렸습니다: %s</source>
        <translation>Buses that use channels the capture does not have were dropped: %s</translation>
    </message>
    <message>
        <source>마커 이름 %d개가 너무 길어 %d자로 줄였습니다.</source>
        <translation>%d marker labels were too long and were cut to %d characters.</translation>
    </message>
    <message>
        <source>주석 파일 %s을(를) 읽을 수 없습니다.</source>
        <translation>Cannot read the annotation file %s.</translation>
    </message>
    <message>
        <source>주석 파일 %s을(를) 저장할 수 없습니다. 기존 파일은 바뀌지 않았습니다.</source>
        <translation>Cannot save the annotation file %s. The existing file is unchanged.</translation>
    </message>
    <message>
        <source>명령을 지정해 주십시오: find, measure, edges, listing, decode</source>
        <translation>name a command: find, measure, edges, listing, decode</translation>
    </message>
    <message>
        <source>알 수 없는 명령입니다: %s</source>
        <translation>unknown command: %s</translation>
    </message>
    <message>
        <source>%s 명령에는 %s이(가) 필요합니다.</source>
        <translation>the %s command needs %s</translation>
    </message>
    <message>
        <source>인수가 너무 많습니다: %s</source>
        <translation>too many arguments: %s</translation>
    </message>
    <message>
        <source>%s 옵션의 값 '%s'은(는) 샘플 번호가 아닙니다.</source>
        <translation>%s: '%s' is not a sample number</translation>
    </message>
    <message>
        <source>샘플 %s은(는) 캡처 밖에 있습니다 (샘플 0..%s).</source>
        <translation>sample %s is outside the capture (samples 0..%s)</translation>
    </message>
    <message>
        <source>캡처에 샘플이 없습니다.</source>
        <translation>the capture holds no samples</translation>
    </message>
    <message>
        <source>%s 옵션과 %s 옵션은 함께 쓸 수 없습니다.</source>
        <translation>%s and %s cannot be used together</translation>
    </message>
    <message>
        <source>알 수 없는 채널입니다: %s</source>
        <translation>unknown channel: %s</translation>
    </message>
    <message>
        <source>일치 %s</source>
        <translation>match %s</translation>
    </message>
    <message>
        <source>일치 없음</source>
        <translation>no match</translation>
    </message>
    <message>
        <source>일치 %s개</source>
        <translation>%s matches</translation>
    </message>
    <message>
        <source>레벨 %s</source>
        <translation>level %s</translation>
    </message>
    <message>
        <source>폭 %s</source>
        <translation>width %s</translation>
    </message>
    <message>
        <source>주기 %s</source>
        <translation>period %s</translation>
    </message>
    <message>
        <source>듀티 %s</source>
        <translation>duty %s</translation>
    </message>
    <message>
        <source>주파수 %s</source>
        <translation>frequency %s</translation>
    </message>
    <message>
        <source>샘플 %s개</source>
        <translation>%s samples</translation>
    </message>
    <message>
        <source>없음</source>
        <translation>none</translation>
    </message>
    <message>
        <source>상승 에지 %s</source>
        <translation>rising %s</translation>
    </message>
    <message>
        <source>하강 에지 %s</source>
        <translation>falling %s</translation>
    </message>
    <message>
        <source>에지 전체 %s</source>
        <translation>total %s</translation>
    </message>
    <message>
        <source>--radix의 값 '%s': hex, unsigned, signed, ascii, binary 가운데 하나입니다.</source>
        <translation>--radix '%s': use hex, unsigned, signed, ascii or binary</translation>
    </message>
    <message>
        <source>--radix 옵션은 --bus 옵션으로 지정한 버스에만 씁니다.</source>
        <translation>--radix applies only to the buses given with --bus</translation>
    </message>
    <message>
        <source>나열할 버스가 없습니다. --bus 이름=채널로 지정하거나 창에서 버스를 정의해 주십시오 (주석 파일 %s).</source>
        <translation>no buses to list: give --bus NAME=CHANNELS, or define buses in the window (they are kept in %s)</translation>
    </message>
    <message>
        <source>샘플번호</source>
        <translation>sample</translation>
    </message>
    <message>
        <source>시간(초)</source>
        <translation>time (s)</translation>
    </message>
    <message>
        <source>%s 옵션은 그림(.svg, .png, .pdf)을 만들 때만 씁니다.</source>
        <translation>%s is only for pictures (.svg, .png, .pdf)</translation>
    </message>
    <message>
        <source>--cell의 값 '%s': 셀은 1, 2, 3 가운데 하나입니다.</source>
        <translation>--cell '%s': the cell is 1, 2 or 3</translation>
    </message>
    <message>
        <source>--size의 값 '%s': 64x64부터 16384x16384까지의 가로x세로로 써 주십시오.</source>
        <translation>--size '%s': give WIDTHxHEIGHT from 64x64 to 16384x16384</translation>
    </message>
    <message>
        <source>샘플 %s..%s은(는) 그릴 수 없습니다: 캡처는 샘플 0..%s이고 한 그림은 %s개까지입니다.</source>
        <translation>samples %s..%s cannot be drawn: the capture holds samples 0..%s and a picture shows at most %s</translation>
    </message>
    <message>
        <source>그림을 만드는 프로그램 %s을(를) 실행할 수 없습니다: %s</source>
        <translation>cannot run %s, which makes the pictures: %s</translation>
    </message>
    <message>
        <source>%s: 샘플 %d 이후에 에지가 없습니다</source>
        <translation>%s: no edge after sample %d</translation>
    </message>
    <message>
        <source>%s: 샘플 %d 이전에 에지가 없습니다</source>
        <translation>%s: no edge before sample %d</translation>
    </message>
    <message>
        <source>활성 커서: X</source>
        <translation>Active cursor: X</translation>
    </message>
    <message>
        <source>활성 커서: Y</source>
        <translation>Active cursor: Y</translation>
    </message>
    <message>
        <source>보기 내보내기(&amp;W)...</source>
        <translation>Export Vie&amp;w...</translation>
    </message>
    <message>
        <source>마커 추가(&amp;K)</source>
        <translation>Add Mar&amp;ker</translation>
    </message>
    <message>
        <source>마커 편집(&amp;I)...</source>
        <translation>Ed&amp;it Marker...</translation>
    </message>
    <message>
        <source>마커 지우기(&amp;D)</source>
        <translation>&amp;Delete Marker</translation>
    </message>
    <message>
        <source>다음 마커(&amp;R)</source>
        <translation>Next Ma&amp;rker</translation>
    </message>
    <message>
        <source>이전 마커(&amp;V)</source>
        <translation>Pre&amp;vious Marker</translation>
    </message>
    <message>
        <source>마커 창(&amp;K)</source>
        <translation>Mar&amp;kers</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Alt+Right</source>
        <translation>Alt+Right</translation>
    </message>
    <message>
        <source>Alt+Left</source>
        <translation>Alt+Left</translation>
    </message>
    <message>
        <source>마커 창을 보이거나 숨깁니다.</source>
        <translation>Show or hide the markers panel</translation>
    </message>
    <message>
        <source>마커 창</source>
        <translation>Markers panel</translation>
    </message>
    <message>
        <source>X 커서의 샘플에 마커를 붙입니다.</source>
        <translation>Put a marker on the X cursor's sample</translation>
    </message>
    <message>
        <source>마커 추가</source>
        <translation>Add Marker</translation>
    </message>
    <message>
        <source>X 커서의 샘플에 있는 마커를 고칩니다.</source>
        <translation>Edit the marker on the X cursor's sample</translation>
    </message>
    <message>
        <source>마커 편집</source>
        <translation>Edit Marker</translation>
    </message>
    <message>
        <source>X 커서의 샘플에 있는 마커를 지웁니다.</source>
        <translation>Delete the marker on the X cursor's sample</translation>
    </message>
    <message>
        <source>마커 지우기</source>
        <translation>Delete Marker</translation>
    </message>
    <message>
        <source>X 커서 뒤의 첫 마커로 X 커서를 옮깁니다.</source>
        <translation>Move the X cursor to the first marker after it</translation>
    </message>
    <message>
        <source>다음 마커</source>
        <translation>Next marker</translation>
    </message>
    <message>
        <source>X 커서 앞의 마지막 마커로 X 커서를 옮깁니다.</source>
        <translation>Move the X cursor to the last marker before it</translation>
    </message>
    <message>
        <source>이전 마커</source>
        <translation>Previous marker</translation>
    </message>
    <message>
        <source>보이는 셀과 창을 그림 파일(SVG, PNG, PDF)로 내보냅니다.</source>
        <translation>Export the cell and the window shown as a picture (SVG, PNG, PDF)</translation>
    </message>
    <message>
        <source>보기 내보내기</source>
        <translation>Export View</translation>
    </message>
    <message>
        <source>마커</source>
        <translation>Markers</translation>
    </message>
    <message>
        <source>샘플 번호</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>시간</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>이름</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>메모</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>샘플 %s의 마커</source>
        <translation>Marker on sample %s</translation>
    </message>
    <message>
        <source>이름(&amp;L):</source>
        <translation>&amp;Label:</translation>
    </message>
    <message>
        <source>메모(&amp;N):</source>
        <translation>&amp;Note:</translation>
    </message>
    <message>
        <source>색(&amp;C):</source>
        <translation>&amp;Colour:</translation>
    </message>
    <message>
        <source>색 고르기...</source>
        <translation>Choose...</translation>
    </message>
    <message>
        <source>샘플 %d 이후에 마커가 없습니다</source>
        <translation>No marker after sample %d</translation>
    </message>
    <message>
        <source>샘플 %d 이전에 마커가 없습니다</source>
        <translation>No marker before sample %d</translation>
    </message>
    <message>
        <source>SVG 그림 (*.svg)</source>
        <translation>SVG picture (*.svg)</translation>
    </message>
    <message>
        <source>PNG 그림 (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>PDF 문서 (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>그림 크기</source>
        <translation>Picture Size</translation>
    </message>
    <message>
        <source>가로(&amp;W):</source>
        <translation>&amp;Width:</translation>
    </message>
    <message>
        <source>세로(&amp;H):</source>
        <translation>&amp;Height:</translation>
    </message>
    <message>
        <source>%s: 그림 파일의 이름은 .svg, .png 또는 .pdf로 끝나야 합니다.</source>
        <translation>%s: a picture's file name must end in .svg, .png or .pdf</translation>
    </message>
    <message>
        <source>버스 정의</source>
        <translation>Bus Definitions</translation>
    </message>
    <message>
        <source>버스:</source>
        <translation>Buses:</translation>
    </message>
    <message>
        <source>새 버스</source>
        <translation>New Bus</translation>
    </message>
    <message>
        <source>버스 삭제</source>
        <translation>Remove Bus</translation>
    </message>
    <message>
        <source>이름:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>진법:</source>
        <translation>Radix:</translation>
    </message>
    <message>
        <source>채널:</source>
        <translation>Channels:</translation>
    </message>
    <message>
        <source>버스의 채널 (맨 위가 최상위 비트):</source>
        <translation>Channels of the bus (the top one is the most significant bit):</translation>
    </message>
    <message>
        <source>넣기 →</source>
        <translation>Add →</translation>
    </message>
    <message>
        <source>← 빼기</source>
        <translation>← Remove</translation>
    </message>
    <message>
        <source>위로</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>아래로</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>16진수</source>
        <translation>Hexadecimal</translation>
    </message>
    <message>
        <source>부호 없는 10진수</source>
        <translation>Unsigned decimal</translation>
    </message>
    <message>
        <source>부호 있는 10진수</source>
        <translation>Signed decimal</translation>
    </message>
    <message>
        <source>ASCII 문자</source>
        <translation>ASCII characters</translation>
    </message>
    <message>
        <source>2진수</source>
        <translation>Binary</translation>
    </message>
    <message>
        <source>%d번째 버스에 이름이 없습니다. 버스 이름을 써 주십시오.</source>
        <translation>Bus %d has no name. Please enter a name for it.</translation>
    </message>
    <message>
        <source>버스 &quot;%s&quot;에 채널이 없습니다. 채널을 하나 이상 넣어 주십시오.</source>
        <translation>Bus &quot;%s&quot; has no channels. Please add at least one channel.</translation>
    </message>
    <message>
        <source>버스 값</source>
        <translation>Bus Values</translation>
    </message>
    <message>
        <source>버스</source>
        <translation>Bus</translation>
    </message>
    <message>
        <source>X 커서</source>
        <translation>X cursor</translation>
    </message>
    <message>
        <source>Y 커서</source>
        <translation>Y cursor</translation>
    </message>
    <message>
        <source>정의된 버스가 없습니다. 보기 메뉴의 버스 정의에서 만드십시오.</source>
        <translation>No bus is defined. Define buses with Bus Definitions in the View menu.</translation>
    </message>
    <message>
        <source>상태 목록</source>
        <translation>State Listing</translation>
    </message>
    <message>
        <source>시간 (s)</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>버스 정의(&amp;D)...</source>
        <translation>Bus &amp;Definitions...</translation>
    </message>
    <message>
        <source>버스 값 창(&amp;V)</source>
        <translation>Bus &amp;Values</translation>
    </message>
    <message>
        <source>상태 목록 창(&amp;L)</source>
        <translation>State &amp;Listing</translation>
    </message>
    <message>
        <source>버스를 만들고 고치거나 지웁니다.</source>
        <translation>Define, change or remove the buses</translation>
    </message>
    <message>
        <source>X와 Y 커서에서 버스의 값을 보여 주는 창을 보이거나 숨깁니다.</source>
        <translation>Show or hide the bus values at the X and Y cursors</translation>
    </message>
    <message>
        <source>버스 값 창</source>
        <translation>Bus values panel</translation>
    </message>
    <message>
        <source>샘플마다 버스의 값을 나열하는 창을 보이거나 숨깁니다.</source>
        <translation>Show or hide the listing of the bus values, sample by sample</translation>
    </message>
    <message>
        <source>상태 목록 창</source>
        <translation>State listing panel</translation>
    </message>
    <message>
        <source>정의:</source>
        <translation>Definition:</translation>
    </message>
    <message>
        <source>예: DATA=D7..D0 (첫 채널이 최상위 비트)</source>
        <translation>e.g. DATA=D7..D0 (the first channel is the most significant bit)</translation>
    </message>
    <message>
        <source>적용</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>디코드</source>
        <translation>Decode</translation>
    </message>
    <message>
        <source>디코더 찾기 (이름, 설명)</source>
        <translation>Find a decoder (name, description)</translation>
    </message>
    <message>
        <source>(연결 안 함)</source>
        <translation>(not connected)</translation>
    </message>
    <message>
        <source>(위에 쌓을 디코더 없음)</source>
        <translation>(no decoder stacked on it)</translation>
    </message>
    <message>
        <source>디코드 실행</source>
        <translation>Run decoder</translation>
    </message>
    <message>
        <source>CSV로 내보내기...</source>
        <translation>Export CSV...</translation>
    </message>
    <message>
        <source>주석 글자로 거르기</source>
        <translation>Filter by annotation text</translation>
    </message>
    <message>
        <source>모든 줄</source>
        <translation>All rows</translation>
    </message>
    <message>
        <source>주석 %s개</source>
        <translation>%s annotations</translation>
    </message>
    <message>
        <source>디코드를 취소했습니다.</source>
        <translation>Decoding cancelled.</translation>
    </message>
    <message>
        <source>시작 샘플</source>
        <translation>Start sample</translation>
    </message>
    <message>
        <source>끝 샘플</source>
        <translation>End sample</translation>
    </message>
    <message>
        <source>시작 시간</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>끝 시간</source>
        <translation>End time</translation>
    </message>
    <message>
        <source>디코더</source>
        <translation>Decoder</translation>
    </message>
    <message>
        <source>줄</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>내용</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>CSV 파일 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>주석을 %s에 쓸 수 없습니다: %s</source>
        <translation>Cannot write the annotations to %s: %s</translation>
    </message>
    <message>
        <source>디코드 창(&amp;O)</source>
        <translation>Dec&amp;ode Panel</translation>
    </message>
    <message>
        <source>디코드 창을 보이거나 숨깁니다.</source>
        <translation>Show or hide the decode panel</translation>
    </message>
    <message>
        <source>디코드 창</source>
        <translation>Decode panel</translation>
    </message>
    <message>
        <source>디코더 라이브러리(libsigrokdecode)를 시작할 수 없습니다.</source>
        <translation>The decoder library (libsigrokdecode) could not start.</translation>
    </message>
    <message>
        <source>디코더를 지정해 주십시오.</source>
        <translation>Name a decoder.</translation>
    </message>
    <message>
        <source>알 수 없는 디코더입니다: %s</source>
        <translation>Unknown decoder: %s</translation>
    </message>
    <message>
        <source>디코더 %s은(는) %s 위에 쌓을 수 없습니다: %s은(는) %s을(를) 내고 %s은(는) %s을(를) 받습니다.</source>
        <translation>Decoder %s cannot be stacked on %s: %s gives %s and %s takes %s.</translation>
    </message>
    <message>
        <source>디코더 %s에는 %s 옵션이 없습니다 (옵션: %s).</source>
        <translation>Decoder %s has no option %s (its options: %s).</translation>
    </message>
    <message>
        <source>디코더 %s의 %s 옵션에 '%s'은(는) 쓸 수 없습니다 (쓸 수 있는 값: %s).</source>
        <translation>Decoder %s: option %s cannot be '%s' (allowed: %s).</translation>
    </message>
    <message>
        <source>디코더 %s의 %s 옵션은 정수여야 합니다: '%s'</source>
        <translation>Decoder %s: option %s must be a whole number, not '%s'.</translation>
    </message>
    <message>
        <source>디코더 %s의 %s 옵션은 수여야 합니다: '%s'</source>
        <translation>Decoder %s: option %s must be a number, not '%s'.</translation>
    </message>
    <message>
        <source>디코더 %s에 %s을(를) 두 번 지정했습니다.</source>
        <translation>Decoder %s: %s is given twice.</translation>
    </message>
    <message>
        <source>디코더 %s에는 %s 채널이 없습니다 (채널: %s).</source>
        <translation>Decoder %s has no channel %s (its channels: %s).</translation>
    </message>
    <message>
        <source>디코더 %s의 %s 채널을 지정해 주십시오 (예: %s=D0).</source>
        <translation>Decoder %s needs its channel %s (for example %s=D0).</translation>
    </message>
    <message>
        <source>디코더 %s의 %s 채널에 지정한 '%s'은(는) 캡처의 채널이 아닙니다 (D0..D47 또는 채널 이름).</source>
        <translation>Decoder %s: channel %s cannot be '%s', which is not a channel of the capture (D0..D47 or a channel name).</translation>
    </message>
    <message>
        <source>디코더 %s은(는) 아래 디코더의 출력을 받으므로 채널을 지정할 수 없습니다.</source>
        <translation>Decoder %s takes the output of the decoder below it, so it reads no channels.</translation>
    </message>
    <message>
        <source>디코더 %s은(는) 샘플 속도가 필요한데 클럭이 OFF입니다. 클럭 주기를 지정해 주십시오. 아무것도 디코딩하지 않았습니다.</source>
        <translation>Decoder %s needs a sample rate, and the clock is OFF. Give a clock period. Nothing was decoded.</translation>
    </message>
    <message>
        <source>디코딩할 샘플이 없습니다.</source>
        <translation>The capture holds no samples to decode.</translation>
    </message>
    <message>
        <source>디코더 %s을(를) 준비할 수 없습니다.</source>
        <translation>Decoder %s could not be set up.</translation>
    </message>
    <message>
        <source>디코더 %s이(가) 샘플 %s 부근에서 실패했습니다. 그 앞까지 디코딩한 결과만 남았습니다.</source>
        <translation>Decoder %s failed near sample %s. Only what was decoded before it is kept.</translation>
    </message>
    <message>
        <source>디코더 %s에는 %s 주석 행이나 클래스가 없습니다.</source>
        <translation>Decoder %s has no annotation row or class %s.</translation>
    </message>
    <message>
        <source>-A의 디코더 %s은(는) -P로 지정하지 않았습니다.</source>
        <translation>Decoder %s of -A is not one of -P.</translation>
    </message>
    <message>
        <source>'%s'은(는) 키=값 형식이 아닙니다 (예: uart:rx=D0:baudrate=115200).</source>
        <translation>'%s' is not key=value (for example uart:rx=D0:baudrate=115200).</translation>
    </message>
    <message>
        <source>디코더 %s은(는) 채널이 아니라 %s을(를) 받습니다. 그것을 내는 디코더 위에 쌓아 주십시오.</source>
        <translation>Decoder %s takes %s, not channels: stack it on a decoder that gives it.</translation>
    </message>
</context>
</TS>
