// A map projection: the method's class name and up to eleven named parameters.
#ifndef QUARN_OBJECTS_PROJECTION_H
#define QUARN_OBJECTS_PROJECTION_H

#include "../model/InfoBase.h"
#include "../model/Model.h"
#include "../model/Records.h"
#include "../model/Text.h"
#include "../model/ValueRecords.h"

#include <cstdint>

// A projection names its method by class name and holds its parameters in eleven fixed
// slots, of which the first GetNumParameters() are in use. Two projections are equal when
// their class names match (case of A to Z ignored), their counts match and every parameter
// of the left one is found among the right one's; their own names take no part.
class QUARN_API CQuarnProjection : public CQuarnInfo<CS_Projection> {
public:
    static constexpr long kSlots = 11;

    CQuarnProjection();
    CQuarnProjection(const CQuarnProjection& other);
    virtual ~CQuarnProjection();
    // Takes name, class name (as stored, not rewritten), authority, code, count and all
    // eleven slots.
    CQuarnProjection& operator=(const CQuarnProjection& other);

    unsigned char operator==(const CQuarnProjection& other) const;
    unsigned char operator!=(const CQuarnProjection& other) const { return !(*this == other); }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnProjection; }

    const wchar_t* GetClassName() const override { return m_className; }
    // While projections are being loaded, generic Lambert and Gauss-Kruger method names are
    // rewritten to the specific methods (see the source).
    void SetClassName(const wchar_t* name) override;
    // The known method whose name is the class name (case of A to Z ignored); 0 otherwise.
    EProjectionType GetType() const override;

    long GetNumParameters() const override { return m_count; }
    // A count outside 0 to 11 is ignored: the count keeps its value.
    void SetNumParameters(long count);
    // The first parameter in use whose name matches (case of A to Z ignored), or null.
    const CS_ProjectionParameter* GetParameter(const wchar_t* name) const override;
    // The slot at `index`, in use or not; null for an index outside 0 to 10.
    const CS_ProjectionParameter* GetParameter(long index) const override;
    // Copies the record into slot `index`; the count is not changed. A null record or an
    // index outside 0 to 10 changes nothing.
    void SetParameter(long index, const CS_ProjectionParameter* parameter);

    // PROJECTION["class name"] followed by one ,PARAMETER[...] per parameter in use; "" when
    // the text is not shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static wchar_t m_WKT[2048];

private:
    wchar_t m_className[kQuarnTextField];
    std::int32_t m_count;
    CQuarnProjectionParameter m_parameters[kSlots];
};

#endif
