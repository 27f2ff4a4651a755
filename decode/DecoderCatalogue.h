#pragma once
// The protocol decoders installed with libsigrokdecode, as plain values: what each is called, the
// channels it reads, its options with their defaults and allowed values, the annotations it writes
// (classes, and the rows that group them) and what it takes and gives for stacking. No Qt.
//
//   const veldran::DecoderCatalogue& catalogue = veldran::InstalledDecoders();
//   if (!catalogue.strError.empty()) report(catalogue.strError);   // the library did not start
//   for (const veldran::DecoderInfo& decoder : catalogue.decoders) list(decoder.strId, decoder.strLongName);
//   const veldran::DecoderInfo* uart = catalogue.Find("uart");     // or FindInstalledDecoder("uart")

#include <string>
#include <vector>

namespace veldran {

struct DecoderChannelInfo {
    std::string strId;          // "rx"
    std::string strName;        // "RX"
    std::string strDescription; // "UART receive line"
};

enum class DecoderOptionKind { Text, Integer, Number };

struct DecoderOptionInfo {
    std::string strId;          // "baudrate"
    std::string strDescription; // "Baud rate"
    DecoderOptionKind kind = DecoderOptionKind::Text; // the type of its default, which a value must have
    std::string strDefault;             // "115200"
    std::vector<std::string> allowed;   // empty: any value of the kind
};

struct AnnotationClassInfo {
    std::string strId;          // "rx-data"
    std::string strDescription; // "RX data"
};

struct AnnotationRowInfo {
    std::string strId;
    std::string strDescription;
    std::vector<int> classes; // indices into DecoderInfo::classes
};

struct DecoderInfo {
    std::string strId;       // "uart"
    std::string strName;     // "UART"
    std::string strLongName; // "Universal Asynchronous Receiver/Transmitter"
    std::string strDescription;
    std::vector<DecoderChannelInfo> channels;         // required, in order
    std::vector<DecoderChannelInfo> optionalChannels; // in order, after the required ones
    std::vector<DecoderOptionInfo> options;
    std::vector<AnnotationClassInfo> classes;
    std::vector<AnnotationRowInfo> rows;
    std::vector<std::string> inputs;  // "logic" for a decoder that reads channels
    std::vector<std::string> outputs; // what a decoder stacked on this one takes as input
    // The decoder refuses to run without a sample rate (it times its signal rather than clocking it).
    bool bNeedsSampleRate = false;

    [[nodiscard]] const DecoderOptionInfo* FindOption(const std::string& id) const;
    // A required or optional channel.
    [[nodiscard]] const DecoderChannelInfo* FindChannel(const std::string& id) const;
    // The row that holds class `cls`, or -1.
    [[nodiscard]] int RowOfClass(int cls) const;
};

struct DecoderCatalogue {
    std::vector<DecoderInfo> decoders; // by id
    std::string strError;              // non-empty: the decoder library could not start (its words)

    [[nodiscard]] const DecoderInfo* Find(const std::string& id) const;
};

// The installed decoders, read once per process (the first call starts the decoder library and
// loads them all; later calls return the same catalogue). Safe from any thread.
[[nodiscard]] const DecoderCatalogue& InstalledDecoders();

// One installed decoder, loading only it (a command line that names its decoders need not load them
// all); nullptr for an id that names none. The description lives as long as the process.
[[nodiscard]] const DecoderInfo* FindInstalledDecoder(const std::string& id);

} // namespace veldran
