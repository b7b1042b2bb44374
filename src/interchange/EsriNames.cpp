// Lookups in the generated table of ESRI names.
#include "interchange/EsriNamesInternal.h"

using namespace quarn::detail;

namespace {

const EsriNameRecord kEsriNames[] = {
#include "interchange/EsriNames.generated.inc"
};

std::string_view WithoutDatumPrefix(std::string_view name) {
    return name.substr(0, 2) == "D_" ? name.substr(2) : name;
}

} // namespace

std::string quarn::detail::NameKey(std::string_view utf8) {
    std::string key;
    for (char c : utf8) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z'))
            key.push_back(c);
        else if (byte >= 'A' && byte <= 'Z')
            key.push_back(static_cast<char>(byte - 'A' + 'a'));
    }
    return key;
}

const EsriNameRecord* quarn::detail::FindEsriName(EsriNameKind kind, int epsgCode,
                                                  std::string_view name) {
    if (epsgCode > 0) {
        for (const EsriNameRecord& record : kEsriNames)
            if (record.kind == kind && record.epsgCode == epsgCode) return &record;
    }
    const std::string key = NameKey(WithoutDatumPrefix(name));
    if (key.empty()) return nullptr;
    for (const EsriNameRecord& record : kEsriNames)
        if (record.kind == kind && (key == record.epsgKey || key == record.esriKey)) return &record;
    return nullptr;
}

const EsriNameRecord* quarn::detail::FindEsriDatumOffGreenwich(std::string_view name) {
    const std::string key = NameKey(WithoutDatumPrefix(name));
    if (key.empty()) return nullptr;
    for (const EsriNameRecord& record : kEsriNames) {
        const std::string_view epsgName = record.epsgName;
        if (record.kind == kEsriDatum && !epsgName.empty() && epsgName.back() == ')' &&
            (key == record.epsgKey || key == record.esriKey))
            return &record;
    }
    return nullptr;
}

const EsriNameRecord* quarn::detail::FindByEsriName(EsriNameKind kind, std::string_view esriName) {
    for (const EsriNameRecord& record : kEsriNames)
        if (record.kind == kind && esriName == record.esriName) return &record;
    const std::string key = NameKey(WithoutDatumPrefix(esriName));
    if (key.empty()) return nullptr;
    for (const EsriNameRecord& record : kEsriNames)
        if (record.kind == kind && key == record.esriKey) return &record;
    return nullptr;
}
