// Fitted coordinate systems: systems defined by a fixed transformation to a base system.
// Two kinds exist, each with its own parameter set: a local horizontal grid ("Local_Grid")
// and a corrected height system ("Linear_Correction").
#ifndef QUARN_SYSTEMS_FITTEDCOORDINATESYSTEMS_H
#define QUARN_SYSTEMS_FITTEDCOORDINATESYSTEMS_H

#include <quarn/model/InfoBase.h>
#include <quarn/model/LazyRecords.h>
#include <quarn/model/ValueRecords.h>

// What both kinds share: the base system (a plain pointer to a system the factory owns), to
// which every geometric question is handed, and one axis record of their own that is kept
// and copied but never reported. Without a base, the dimension is 0 and the axes, units and
// envelope are null.
class QUARN_API CQuarnFittedCoordinateSystem : public CQuarnInfo<CS_FittedCoordinateSystem> {
public:
    long GetDimension() const override;
    const PT_Envelope* GetDefaultEnvelope() const override;
    const CS_AxisInfo* GetAxis(long index) const override;
    const CS_Unit* GetUnits(long index) const override;

    const CS_CoordinateSystem* GetBaseCoordinateSystem() const override { return m_base; }
    // The transformation exists only inside the WKT text.
    const wchar_t* GetToBase() const override { return nullptr; }

    void SetBaseCoordinateSystem(const CS_CoordinateSystem* base) { m_base = base; }
    // Does nothing for an index other than 0, or a null axis.
    void SetAxis(long index, const CS_AxisInfo* axis);

protected:
    CQuarnFittedCoordinateSystem();
    CQuarnFittedCoordinateSystem(const CQuarnFittedCoordinateSystem& other);
    ~CQuarnFittedCoordinateSystem();
    // Texts and the base; the axis record is left as it is.
    CQuarnFittedCoordinateSystem& operator=(const CQuarnFittedCoordinateSystem& other);

private:
    const CS_CoordinateSystem* m_base;
    QuarnAxis m_axis; // never read, so never turned into a record
};

// A local grid on a base system: false origin E0/N0, scale K, grid offset DE/DN and the
// grid rotation Beta (radians). Beta adds to the base's azimuth.
class QUARN_API CQuarnFittedHorizontalCoordinateSystem : public CQuarnFittedCoordinateSystem {
public:
    CQuarnFittedHorizontalCoordinateSystem();
    CQuarnFittedHorizontalCoordinateSystem(const CQuarnFittedHorizontalCoordinateSystem& other);
    virtual ~CQuarnFittedHorizontalCoordinateSystem();
    CQuarnFittedHorizontalCoordinateSystem&
    operator=(const CQuarnFittedHorizontalCoordinateSystem& other);

    // The same base, and every parameter within 1e-12; names take no part.
    unsigned char operator==(const CQuarnFittedHorizontalCoordinateSystem& other) const;
    unsigned char operator!=(const CQuarnFittedHorizontalCoordinateSystem& other) const {
        return !(*this == other);
    }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnFittedHorizontalCS; }
    long GetSystemType() const override { return 2003; }
    long GetHeightType() const override { return 0; }
    // The base's azimuth plus Beta; 0 without a base.
    double GetAzimuth() const override;

    double GetE0() const { return m_e0; }
    double GetN0() const { return m_n0; }
    double GetK() const { return m_k; }
    double GetDE() const { return m_de; }
    double GetDN() const { return m_dn; }
    double GetBeta() const { return m_beta; }
    void SetE0(double value) { m_e0 = value; }
    void SetN0(double value) { m_n0 = value; }
    void SetK(double value) { m_k = value; }
    void SetDE(double value) { m_de = value; }
    void SetDN(double value) { m_dn = value; }
    void SetBeta(double value) { m_beta = value; }

    // The FITTED_CS element with the Local_Grid PARAM_MT and the base's own text; "" without
    // a base or when the text is not shorter than `limit`. Uses the class's m_WKT for the
    // PARAM_MT text, so a text GetWKT returned earlier is overwritten.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    // The Local_Grid PARAM_MT text, Beta in degrees; "" when it does not fit in `limit`.
    const wchar_t* GetLocalGridTransformation(wchar_t* buffer, long limit) const;

    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    double m_e0;
    double m_n0;
    double m_k;
    double m_de;
    double m_dn;
    double m_beta;
};

// A corrected height system on a base system: a height shift dH, the gradients Gl and Gg and
// the reference position L0/G0 (radians).
class QUARN_API CQuarnFittedVerticalCoordinateSystem : public CQuarnFittedCoordinateSystem {
public:
    CQuarnFittedVerticalCoordinateSystem();
    CQuarnFittedVerticalCoordinateSystem(const CQuarnFittedVerticalCoordinateSystem& other);
    virtual ~CQuarnFittedVerticalCoordinateSystem();
    CQuarnFittedVerticalCoordinateSystem&
    operator=(const CQuarnFittedVerticalCoordinateSystem& other);

    // The same base, and every parameter within 1e-12; names take no part.
    unsigned char operator==(const CQuarnFittedVerticalCoordinateSystem& other) const;
    unsigned char operator!=(const CQuarnFittedVerticalCoordinateSystem& other) const {
        return !(*this == other);
    }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnFittedVerticalCS; }
    long GetSystemType() const override { return 1001; }
    long GetHeightType() const override { return 3; }

    double GetdH() const { return m_dh; }
    double GetGl() const { return m_gl; }
    double GetGg() const { return m_gg; }
    double GetL0() const { return m_l0; }
    double GetG0() const { return m_g0; }
    void SetdH(double value) { m_dh = value; }
    void SetGl(double value) { m_gl = value; }
    void SetGg(double value) { m_gg = value; }
    void SetL0(double value) { m_l0 = value; }
    void SetG0(double value) { m_g0 = value; }

    // The FITTED_CS element with the Linear_Correction PARAM_MT; as for horizontal systems.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    // The Linear_Correction PARAM_MT text, L0 and G0 in degrees.
    const wchar_t* GetLinearCorrectionTransformation(wchar_t* buffer, long limit) const;

    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    double m_dh;
    double m_gl;
    double m_gg;
    double m_l0;
    double m_g0;
};

#endif
