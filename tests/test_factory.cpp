// The factory's registries: registration, naming, removal and ownership.
#include "quarn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CQuarnLinearUnit* NewUnit(const wchar_t* name, double factor) {
    CQuarnLinearUnit* unit = new CQuarnLinearUnit();
    unit->SetName(name);
    unit->SetMetersPerUnit(factor);
    return unit;
}

} // namespace

TEST(Factory, NewFactoryHasSixteenEmptyRegistries) {
    CQuarnCoordinateSystemFactory factory;
    for (long type = 0; type < 16; ++type)
        EXPECT_EQ(factory.GetProductLine(type).GetSize(), 0);
    EXPECT_EQ(factory.GetProductLine(16).GetSize(), 0);
    EXPECT_EQ(factory.GetProductLine(-1).GetSize(), 0);
}

TEST(Factory, AddItemNamesUniquelyExceptProjections) {
    CQuarnCoordinateSystemFactory factory;
    CQuarnLinearUnit* first = NewUnit(L"Bessel", 1.0);
    CQuarnLinearUnit* second = NewUnit(L"Bessel", 2.0);
    EXPECT_EQ(factory.AddItem(9, first), 0);
    EXPECT_STREQ(first->GetName(), L"Bessel");
    EXPECT_EQ(factory.AddItem(9, second), 1);
    EXPECT_STREQ(second->GetName(), L"Bessel~1");

    CQuarnLinearUnit* utm1 = NewUnit(L"UTM", 1.0);
    CQuarnLinearUnit* utm2 = NewUnit(L"UTM", 1.0);
    EXPECT_EQ(factory.AddItem(10, utm1), 0);
    EXPECT_EQ(factory.AddItem(10, utm2), 1);
    EXPECT_STREQ(utm2->GetName(), L"UTM");
}

TEST(Factory, AddItemRefusesNullAndUnknownTypes) {
    CQuarnCoordinateSystemFactory factory;
    EXPECT_EQ(factory.AddItem(14, nullptr), -1);
    CQuarnLinearUnit unit;
    EXPECT_EQ(factory.AddItem(16, &unit), -1);
    EXPECT_EQ(factory.AddItem(-1, &unit), -1);
    for (long type = 0; type < 16; ++type)
        EXPECT_EQ(factory.GetProductLine(type).GetSize(), 0);
}

TEST(Factory, CreateUnitsIsCanonical) {
    CQuarnCoordinateSystemFactory factory;
    const CS_LinearUnit* metre = factory.CreateLinearUnit(L"metre", 1.0);
    EXPECT_EQ(factory.CreateLinearUnit(L"Meter", 1.0), metre);
    EXPECT_STREQ(metre->GetName(), L"metre");
    const CS_LinearUnit* foot = factory.CreateLinearUnit(L"foot", 0.3048);
    EXPECT_NE(foot, metre);
    EXPECT_EQ(factory.CreateLinearUnit(L"foot", 0.3048000000000001), foot);
    const CS_LinearUnit* other = factory.CreateLinearUnit(L"metre", 2.0);
    EXPECT_STREQ(other->GetName(), L"metre~1");
    EXPECT_EQ(factory.GetProductLine(14).GetSize(), 3);
}

TEST(Factory, DegreeBecomesDegreesOnlyWhileLoading) {
    CQuarnCoordinateSystemFactory factory;
    SetPrjLoading(true);
    const CS_AngularUnit* loaded = factory.CreateAngularUnit(L"Degree", 0.0174532925199433);
    const CS_AngularUnit* grad = factory.CreateAngularUnit(L"degree", 0.015707963267948967);
    SetPrjLoading(false);
    EXPECT_STREQ(loaded->GetName(), L"Degrees");
    EXPECT_STREQ(grad->GetName(), L"degree");
    // With the flag clear the name stays "Degree" (made unique against "degree").
    const CS_AngularUnit* plain = factory.CreateAngularUnit(L"Degree", 2.0);
    EXPECT_STREQ(plain->GetName(), L"Degree~1");
}

TEST(Factory, DeleteItemKeepsTheOrderOfTheOthers) {
    CQuarnCoordinateSystemFactory factory;
    const CS_LinearUnit* a = factory.CreateLinearUnit(L"a", 1.0);
    const CS_LinearUnit* b = factory.CreateLinearUnit(L"b", 2.0);
    const CS_LinearUnit* c = factory.CreateLinearUnit(L"c", 3.0);
    factory.DeleteItem(b);
    const CQuarnInfoArray& units = factory.GetProductLine(14);
    ASSERT_EQ(units.GetSize(), 2);
    EXPECT_EQ(units[0], a);
    EXPECT_EQ(units[1], c);
    factory.DeleteItem(nullptr);
    CQuarnLinearUnit stranger;
    factory.DeleteItem(&stranger); // not registered: left alone
    EXPECT_EQ(units.GetSize(), 2);
}

TEST(Factory, DeleteItemOfAnObjectRegisteredTwiceDestroysItOnce) {
    CQuarnCoordinateSystemFactory factory;
    CQuarnLinearUnit* unit = NewUnit(L"twice", 1.0);
    factory.AddItem(14, unit);
    factory.AddItem(14, unit);
    factory.AddItem(3, unit);
    factory.DeleteItem(unit);
    EXPECT_EQ(factory.GetProductLine(14).GetSize(), 0);
    EXPECT_EQ(factory.GetProductLine(3).GetSize(), 0);
}

TEST(Factory, RemoveAllDestroysEverythingOnce) {
    // The sanitizer build reports a leak or a double destruction here.
    CQuarnCoordinateSystemFactory factory;
    for (int i = 0; i < 1000; ++i)
        factory.CreateLinearUnit(L"unit", 1.0 + i);
    CQuarnLinearUnit* twice = NewUnit(L"twice", 0.5);
    factory.AddItem(14, twice);
    factory.AddItem(15, twice);
    const CS_LinearUnit* counted = factory.CreateLinearUnit(L"counted", 5000.0);
    counted->AddRef();
    counted->AddRef();
    factory.RemoveAll();
    for (long type = 0; type < 16; ++type)
        EXPECT_EQ(factory.GetProductLine(type).GetSize(), 0);
    factory.CreateLinearUnit(L"after", 1.0); // destroyed with the factory
}

namespace {

// A factory that registers under its own names and records what it was asked.
class NamingFactory : public CQuarnCoordinateSystemFactory {
public:
    int AddItem(long type, CS_Info* item) override {
        added.push_back(type);
        return CQuarnCoordinateSystemFactory::AddItem(type, item);
    }
    const wchar_t* GetUniqueName(long, const wchar_t* name) const override {
        result = std::wstring(L"house:") + name;
        return result.c_str();
    }
    std::vector<long> added;
    mutable std::wstring result;
};

} // namespace

TEST(Factory, DerivedFactoryDecidesRegistrationAndNaming) {
    NamingFactory factory;
    const CS_LinearUnit* metre = factory.CreateLinearUnit(L"metre", 1.0);
    const CS_AngularUnit* radian = factory.CreateAngularUnit(L"radian", 1.0);
    EXPECT_STREQ(metre->GetName(), L"house:metre");
    EXPECT_STREQ(radian->GetName(), L"house:radian");
    EXPECT_EQ(factory.CreateLinearUnit(L"m", 1.0), metre);
    EXPECT_EQ(factory.added, (std::vector<long>{14, 15}));
}
