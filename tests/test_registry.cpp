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
    std::wstring Unique(const wchar_t* name) { return registry.GetUniqueName(name); }

    CQuarnInfoArray registry;
    std::vector<std::unique_ptr<CQuarnLinearUnit>> units;
};

} // namespace

TEST(CompareBaseNames, TildeEndsTheName) {
    EXPECT_EQ(CompareBaseNames(L"WGS 84~3", L"WGS 84"), 0);
    EXPECT_EQ(CompareBaseNames(L"Name~2", L"Name~7"), 0);
    EXPECT_EQ(CompareBaseNames(L"WGS 84", L"wgs 84"), -1);
    EXPECT_EQ(CompareBaseNames(L"wgs 84", L"WGS 84"), 1);
    EXPECT_EQ(CompareBaseNames(L"ab", L"a~b"), 1);
    EXPECT_EQ(CompareBaseNames(L"Name", L"Namex"), -1);
    EXPECT_EQ(CompareBaseNames(L"Namex", L"Name"), 1);
    EXPECT_EQ(CompareBaseNames(L"", L""), 0);
    EXPECT_EQ(CompareBaseNames(L"~1", L""), 0);
    // Codes compare as unsigned: a character above 0x7FFF sorts after ASCII.
    EXPECT_EQ(CompareBaseNames(L"a\x8000", L"az"), 1);
}

TEST_F(Registry, FindIgnoresCaseOfLettersOnly) {
    CS_Info* clarke = Add(L"Clarke 1866");
    Add(L"");
    EXPECT_EQ(registry.Find(L"CLARKE 1866"), clarke);
    EXPECT_EQ(registry.Find(L"Clarke 1866 "), nullptr);
    EXPECT_EQ(registry.Find(L"Clarke"), nullptr);
    EXPECT_EQ(registry.Find(L""), nullptr); // even with an empty name registered
    EXPECT_EQ(registry.Find(nullptr), nullptr);
}

TEST_F(Registry, FindReturnsTheFirstMatch) {
    CS_Info* first = Add(L"Datum");
    Add(L"DATUM");
    EXPECT_EQ(registry.Find(L"datum"), first);
}

TEST_F(Registry, UniqueNamesCountUp) {
    EXPECT_EQ(Unique(L"NAD83"), L"NAD83");
    Add(L"NAD83");
    EXPECT_EQ(Unique(L"NAD83"), L"NAD83~1");
    EXPECT_EQ(Unique(L"nad83"), L"nad83~1"); // taken ignoring case
    Add(L"NAD83~1");
    EXPECT_EQ(Unique(L"NAD83"), L"NAD83~2");
    EXPECT_EQ(Unique(L"NAD83~1"), L"NAD83~2"); // the suffix is replaced, not extended
    EXPECT_EQ(Unique(L"ABC~5"), L"ABC~5");
    EXPECT_EQ(Unique(L""), L"");
    EXPECT_EQ(Unique(nullptr), L"");
}

TEST_F(Registry, UniqueNameSkipsTakenSuffixes) {
    Add(L"A");
    Add(L"A~1");
    Add(L"A~2");
    Add(L"A~4");
    EXPECT_EQ(Unique(L"A"), L"A~3");
    Add(L"A~3");
    EXPECT_EQ(Unique(L"A~9"), L"A~9");
    EXPECT_EQ(Unique(L"A~4"), L"A~5");
}

TEST_F(Registry, ResultIsOneProcessWideText) {
    Add(L"X");
    const wchar_t* first = registry.GetUniqueName(L"X");
    CQuarnInfoArray other;
    const wchar_t* second = other.GetUniqueName(L"Y");
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, L"Y");
}

TEST_F(Registry, ArrayOperations) {
    CS_Info* a = Add(L"a");
    CS_Info* b = Add(L"b");
    EXPECT_EQ(registry.GetSize(), 2);
    EXPECT_EQ(registry[1], b);
    registry.SetAt(0, b);
    EXPECT_EQ(registry.GetAt(0), b);
    registry.ElementAt(0) = a;
    EXPECT_EQ(registry.GetAt(0), a);

    registry.SetAtGrow(4, a);
    EXPECT_EQ(registry.GetSize(), 5);
    EXPECT_EQ(registry.GetAt(2), nullptr);
    EXPECT_EQ(registry.GetAt(4), a);
    registry.RemoveAt(2, 2);
    EXPECT_EQ(registry.GetSize(), 3);
    EXPECT_EQ(registry.GetAt(2), a);

    registry.InsertAt(1, b, 2);
    EXPECT_EQ(registry.GetSize(), 5);
    EXPECT_EQ(registry.GetAt(1), b);
    EXPECT_EQ(registry.GetAt(2), b);
    EXPECT_EQ(registry.GetAt(3), b);

    CQuarnInfoArray copy;
    copy.Copy(registry);
    EXPECT_EQ(copy.GetSize(), 5);
    EXPECT_EQ(copy.Append(registry), 5);
    EXPECT_EQ(copy.GetSize(), 10);
    copy.InsertAt(0, &registry);
    EXPECT_EQ(copy.GetSize(), 15);
    EXPECT_EQ(copy.Add(a), 15);
    copy.RemoveAll();
    EXPECT_EQ(copy.GetSize(), 0);
}

TEST_F(Registry, IndexOutOfRangeThrowsAndChangesNothing) {
    CS_Info* a = Add(L"a");
    const CQuarnInfoArray& view = registry;
    EXPECT_THROW(registry.GetAt(1), std::out_of_range);
    EXPECT_THROW(registry.GetAt(-1), std::out_of_range);
    EXPECT_THROW(registry.SetAt(1, a), std::out_of_range);
    EXPECT_THROW(registry.ElementAt(5), std::out_of_range);
    EXPECT_THROW(registry[7], std::out_of_range);
    EXPECT_THROW(view[-3], std::out_of_range);
    EXPECT_THROW(registry.RemoveAt(0, 2), std::out_of_range);
    EXPECT_EQ(registry.GetSize(), 1);
    EXPECT_EQ(registry.GetAt(0), a);
}
