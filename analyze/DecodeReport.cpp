#include "analyze/DecodeReport.h"

#include "annotations/BusListing.h"

#include <cstdio>

namespace veldran {
namespace {

void AppendLine(std::string& out, const CAnnotationStore& store, const DecodedAnnotation& a)
{
    out += std::to_string(a.nStart) + '-' + std::to_string(a.nEnd) + ' ' + store.DecoderInstance(a) + ": ";
    out += store.Text(a, 0);
    out += '\n';
}

void AppendCsv(std::string& out, const CAnnotationStore& store, const DecodedAnnotation& a)
{
    out += std::to_string(a.nStart) + ',' + std::to_string(a.nEnd) + ',' + CsvQuoted(store.DecoderId(a)) + ',' +
           CsvQuoted(store.RowId(a)) + ',' + CsvQuoted(store.ClassId(a)) + ',' + CsvQuoted(store.Text(a, 0)) + '\n';
}

void AppendJson(std::string& out, const CAnnotationStore& store, const DecodedAnnotation& a)
{
    out += "{\"start\":" + std::to_string(a.nStart) + ",\"end\":" + std::to_string(a.nEnd) +
           ",\"decoder\":" + JsonQuoted(store.DecoderId(a)) + ",\"instance\":" + JsonQuoted(store.DecoderInstance(a)) +
           ",\"row\":" + (a.nRow < 0 ? std::string("null") : JsonQuoted(store.RowId(a))) +
           ",\"class\":" + JsonQuoted(store.ClassId(a)) + ",\"texts\":[";
    for (size_t i = 0; i < a.nTextCount; ++i)
        out += (i ? "," : "") + JsonQuoted(store.Text(a, i));
    out += "]}";
}

} // namespace

std::string JsonQuoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string DecodeReport(const CAnnotationStore& store, const AnnotationChoice& choice, DecodeFormat format)
{
    std::string out;
    out.reserve(store.Count() * 32);
    if (format == DecodeFormat::Csv)
        out += "start,end,decoder,row,class,text\n";
    if (format == DecodeFormat::Json)
        out += "{\"annotations\":[";
    bool first = true;
    for (const DecodedAnnotation& a : store.Annotations()) {
        if (!choice.Shows(store, a))
            continue;
        if (format == DecodeFormat::Lines)
            AppendLine(out, store, a);
        else if (format == DecodeFormat::Csv)
            AppendCsv(out, store, a);
        else {
            out += first ? "\n" : ",\n";
            AppendJson(out, store, a);
        }
        first = false;
    }
    if (format == DecodeFormat::Json)
        out += "\n]}\n";
    return out;
}

} // namespace veldran
