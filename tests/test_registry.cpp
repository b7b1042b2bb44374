// The registry: name lookup, unique names, the base-name comparison and the array itself.
#include "quarn.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Registries hold pointers only; the units here belong to the test.
class Registry : public ::testing::Test {
protected:
    CS_Info* Add(const wchar_t* name) {
        units.push_back(std::make_unique<CQuarnLinearUnit>());
        units.back()->SetName(name);
        registry.Add(units.back().get());
        return units.back().get();
    }

    CQuarnInfoArray registry;
    std::vector<std::unique_ptr<CQuarnLinearUnit>> units;
};

} // namespace

TEST(CompareBaseNames, TildeEndsTheNameAndCodesCompareUnsigned) {
    const struct {
        const wchar_t* a;
        const wchar_t* b;
        int expected;
    } cases[] = {
        {L"WGS 84~3", L"WGS 84", 0}, {L"Name~2", L"Name~7", 0}, {L"WGS 84", L"wgs 84", -1},
        {L"wgs 84", L"WGS 84", 1},   {L"ab", L"a~b", 1},        {L"Name", L"Namex", -1},
        {L"Namex", L"Name", 1},      {L"~1", L"", 0},           {L"a\x8000", L"az", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareBaseNames(c.a, c.b), c.expected) << c.a[0] << " vs " << c.b[0];
}

TEST_F(Registry, FindTheFirstMatchIgnoringCaseOfLettersOnly) {
    CS_Info* clarke = Add(L"Clarke 1866 z");
    Add(L"CLARKE 1866 Z");
    Add(L"");
    EXPECT_EQ(registry.Find(L"clarke 1866 Z"), clarke);
    // Nothing for an empty name, even with one registered.
    for (const wchar_t* name :
         {L"Clarke 1866 z ", L"Clarke", L"", static_cast<const wchar_t*>(nullptr)})
        EXPECT_EQ(registry.Find(name), nullptr);
}

TEST_F(Registry, ArrayOperations) {
    CS_Info* a = Add(L"a");
    CS_Info* b = Add(L"b");
    registry.SetAtGrow(2, b); // one past the end appends
    EXPECT_EQ(registry.GetSize(), 3);
    registry.SetAtGrow(4, a); // the gap is filled with nulls
    EXPECT_EQ(registry.GetAt(3), nullptr);
    registry.RemoveAt(2, 2);
    registry.SetAt(0, b);
    registry.ElementAt(2) = b;
    registry.InsertAt(1, a, 2);
    EXPECT_EQ(std::vector<const CS_Info*>(&registry[0], &registry[0] + registry.GetSize()),
              (std::vector<const CS_Info*>{b, a, a, b, b}));

    CQuarnInfoArray copy;
    copy.Copy(registry);
    EXPECT_EQ(copy.Append(registry), 5); // the index of the first appended item
    copy.InsertAt(0, &registry);
    EXPECT_EQ(copy.Add(a), 15);
}

TEST_F(Registry, IndexOutOfRangeThrowsAndChangesNothing) {
    CS_Info* a = Add(L"a");
    const CQuarnInfoArray& view = registry;
    EXPECT_THROW(registry.GetAt(1), std::out_of_range);
    EXPECT_THROW(registry.SetAt(-1, a), std::out_of_range);
    EXPECT_THROW(registry.ElementAt(5), std::out_of_range);
    EXPECT_THROW(view[-3], std::out_of_range);
    EXPECT_THROW(registry.RemoveAt(0, 2), std::out_of_range);
    EXPECT_TRUE(registry.GetSize() == 1 && registry.GetAt(0) == a);
}
