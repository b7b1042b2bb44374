#include <quarn/systems/CompoundCoordinateSystem.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"
#include <quarn/model/MessageReport.h>

#include <cwchar>

using namespace quarn::detail;

namespace {
thread_local WktClassState g_compose;
// The axis index that belongs to the tail (its first axis); the others are the head's.
constexpr long kTailIndex = 2;
// Added to the head's system type to form the extended type.
constexpr long kExtendedTypeOffset = 1002;
} // namespace

thread_local wchar_t CQuarnCompoundCoordinateSystem::m_WKT[quarn::kWktCapacity];

CQuarnCompoundCoordinateSystem::CQuarnCompoundCoordinateSystem()
    : m_head(nullptr), m_tail(nullptr) {}

CQuarnCompoundCoordinateSystem::CQuarnCompoundCoordinateSystem(
    const CQuarnCompoundCoordinateSystem& other) = default;

CQuarnCompoundCoordinateSystem::~CQuarnCompoundCoordinateSystem() = default;

CQuarnCompoundCoordinateSystem&
CQuarnCompoundCoordinateSystem::operator=(const CQuarnCompoundCoordinateSystem& other) {
    CQuarnInfo::operator=(other);
    m_head = other.GetHeadCS();
    m_tail = other.GetTailCS();
    return *this;
}

unsigned char
CQuarnCompoundCoordinateSystem::operator==(const CQuarnCompoundCoordinateSystem& other) const {
    if (CompareBaseNames(GetName(), other.GetName()) != 0) return false;
    if (GetHeadCS() != other.GetHeadCS()) return false;
    return GetTailCS() == other.GetTailCS();
}

const PT_Envelope* CQuarnCompoundCoordinateSystem::GetDefaultEnvelope() const {
    return m_head != nullptr ? m_head->GetDefaultEnvelope() : nullptr;
}

const CS_AxisInfo* CQuarnCompoundCoordinateSystem::GetAxis(long index) const {
    if (index == kTailIndex) return m_tail != nullptr ? m_tail->GetAxis(0) : nullptr;
    return m_head != nullptr ? m_head->GetAxis(index) : nullptr;
}

const CS_Unit* CQuarnCompoundCoordinateSystem::GetUnits(long index) const {
    if (index == kTailIndex) return m_tail != nullptr ? m_tail->GetUnits(0) : nullptr;
    return m_head != nullptr ? m_head->GetUnits(index) : nullptr;
}

long CQuarnCompoundCoordinateSystem::GetHeightType() const {
    return m_tail != nullptr ? m_tail->GetHeightType() : 0;
}

double CQuarnCompoundCoordinateSystem::GetAzimuth() const {
    return m_head != nullptr ? m_head->GetAzimuth() : 0.0;
}

long CQuarnCompoundCoordinateSystem::GetSystemTypeEx() const {
    return (m_head != nullptr ? m_head->GetSystemType() : 0) + kExtendedTypeOffset;
}

const wchar_t* CQuarnCompoundCoordinateSystem::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnCompoundCoordinateSystem::FormatWKT(wchar_t* buffer, long limit) const {
    const CS_CoordinateSystem* head = GetHeadCS();
    const CS_CoordinateSystem* tail = GetTailCS();
    WktComposer wkt(g_compose, buffer, limit);
    // A compound without both of its parts cannot be written: the element comes out empty.
    if (wkt.Failed() || head == nullptr || tail == nullptr) return wkt.Fail().Finish(buffer, limit);

    // The head's text is appended before the tail is asked for its own: a tail built on a
    // system of the head's class (a fitted system on another projected system) rewrites
    // that class's shared buffer.
    wkt.Format(kCompoundTemplate).Arg(GetName());
    wkt.Arg(head->GetWKT(nullptr));
    wkt.Arg(tail->GetWKT(nullptr));

    // The one overflow the library tells the user about; the result is "" all the same.
    const std::size_t length = wkt.Length();
    if (length >= static_cast<std::size_t>(quarn::kWktCapacity) || limit <= 0 ||
        length >= static_cast<std::size_t>(limit)) {
        wchar_t message[64];
        std::swprintf(message, sizeof message / sizeof message[0], kWktOverflowMessage,
                      static_cast<int>(length));
        QuarnReportMessage(message);
    }
    return wkt.Finish(buffer, limit);
}
