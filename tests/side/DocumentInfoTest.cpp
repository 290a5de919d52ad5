// SPDX-License-Identifier: GPL-3.0-or-later
#include "side/DocumentInfo.h"
#include "TestSupport.h"
#include "document/DocumentProperties.h"

#include <gtest/gtest.h>

using namespace kelto;

namespace {

// Property lines written as one text, "|" between lines.
QStringList lines(const char* text)
{
    return *text ? QString::fromUtf8(text).split(u'|') : QStringList();
}

} // namespace

// The five fields written back: a changed value replaces its line in place,
// an unchanged one leaves it alone (and counts as no change), an empty one
// removes it, a new one is appended; no value can break its line.
TEST(DocumentInfo, WritesFieldsInPlaceAndReportsRealChanges)
{
    struct Case
    {
        const char* before;
        std::array<const char*, DocumentInfo::FieldCount> fields;
        const char* after;
        bool changed;
    };
    const Case cases[] = {
        {"FlCreate=1|name=Old|Author=A",
         {"New", "A", "", "", ""},
         "FlCreate=1|Name=New|Author=A",
         true},
        {"name=Old|Activate=2", {"Old", "", "", "", ""}, "name=Old|Activate=2", false},
        {"Name=N|Activate=2", {"", "", "", "", ""}, "Activate=2", true},
        {"Activate=1|KeyWords=k",
         {"N", "Au", "", "", "k"},
         "Activate=1|KeyWords=k|Name=N|Author=Au",
         true},
        {"", {"", "", "", "x\r\nActivate=7", ""}, "Descript=x Activate=7", true},
        {"", {"a\nb\rc", "d\u2028e\u2029f", "", "", ""}, "Name=a b c|Author=d e f", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        DocumentProperties properties;
        properties.setLines(lines(c.before));
        DocumentInfo info;
        for (size_t i = 0; i < c.fields.size(); ++i)
            info.fields[i] = QString::fromUtf8(c.fields[i]);
        EXPECT_EQ(writeDocumentInfo(properties, info), c.changed);
        EXPECT_EQ(properties.lines(), lines(c.after));
    }
}
