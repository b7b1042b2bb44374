// Writing WKT 2 (ISO 19162:2019).
#include "interchange/Wkt2Internal.h"

using namespace quarn::detail;

bool quarn::detail::WriteWkt2(const CS_Info&, std::string& out, std::string& reason) {
    out.clear();
    reason = "not written yet";
    return false;
}
