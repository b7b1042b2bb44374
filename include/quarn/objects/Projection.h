// A map projection: the method's class name and up to eleven named parameters.
#ifndef QUARN_OBJECTS_PROJECTION_H
#define QUARN_OBJECTS_PROJECTION_H

#include <quarn/model/InfoBase.h>
#include <quarn/model/LazyRecords.h>
#include <quarn/model/Model.h>
#include <quarn/model/Records.h>
#include <quarn/model/Text.h>
#include <quarn/model/ValueRecords.h>

#include <cstdint>
#include <vector>

// A projection names its method by class name and has eleven parameter slots, of which the
// first GetNumParameters() are in use. Two projections are equal when their class names
// match (case of A to Z ignored), their counts match and every parameter of the left one is
// found among the right one's; their own names take no part.
//
// Only the slots ever set are kept, as names and values; a slot beyond them holds an empty
// name and 0. The records GetParameter hands out are built on the first request.
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

    const wchar_t* GetClassName() const override { return m_className.Get(); }
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

    // The name and value of slot `index` without building a record: "" and 0 for a slot
    // never set or an index outside 0 to 10.
    const wchar_t* GetParameterName(long index) const {
        return InList(index) ? m_slots[index].name.Get() : L"";
    }
    double GetParameterValue(long index) const {
        return InList(index) ? m_slots[index].value : 0.0;
    }
    // Sets the value of slot `index` (0 to 10), keeping its name.
    void SetParameterValue(long index, double value);

    // The name and value of parameter `index` of any projection: from the compact fields of
    // this library's projections (type code 10), from the record of others; null and 0 when
    // there is no record.
    static const wchar_t* ParameterName(const CS_Projection& projection, long index);
    static double ParameterValue(const CS_Projection& projection, long index);

    // PROJECTION["class name"] followed by one ,PARAMETER[...] per parameter in use; "" when
    // the text is not shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    struct Parameter {
        QuarnText name;
        double value = 0.0;
    };
    bool InList(long index) const { return index >= 0 && index < m_reached; }
    // The index of the first slot in use named `name` (case of A to Z ignored), or -1.
    long FindParameter(const wchar_t* name) const;
    // Takes the slots up to `index` into use; a slot newly taken is empty.
    void Reach(long index);
    void FillRecords(CQuarnProjectionParameter* records) const;

    QuarnText m_className;
    std::int32_t m_count;
    Parameter m_slots[kSlots];
    std::int32_t m_reached = 0; // slots set so far, from slot 0
    QuarnLazyRecords<CQuarnProjectionParameter, kSlots> m_records;
};

#endif
