#pragma once
// A configuration and request as a technician would print them, and ways
// to look at the laid-out pages as text.

#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/products.h"
#include "report/configuration_report.h"
#include "report/text_renderer.h"
#include "tests/support/product_config.h"

namespace kvtk::testing {

inline Configuration SampleConfiguration(const std::string& model = "KV-4900",
                                         const std::string& version = "4.00") {
    Configuration config = test::ConfigFor(model, version);
    config.Panel.Address = "5";
    return config;
}

inline ReportRequest SampleRequest(int groupCount = 60) {
    ReportRequest request;
    request.GroupCount = groupCount;
    request.PrintedAt = {2026, 12, 3, 14, 5, 9};
    return request;
}

// Every page as text lines, page by page.
inline std::vector<std::vector<std::string>> PagesAsText(const ReportLayout& layout) {
    std::vector<std::vector<std::string>> pages;
    for (const ReportPage& page : layout.Pages) pages.push_back(PageTextLines(page));
    return pages;
}

// The page (from 1) and line (from 0) of the first line that equals `text`;
// {0, -1} when there is none.
struct LinePosition {
    int Page = 0;
    int Line = -1;
};
inline LinePosition FindLine(const ReportLayout& layout, const std::string& text) {
    const auto pages = PagesAsText(layout);
    for (size_t p = 0; p < pages.size(); ++p) {
        for (size_t i = 0; i < pages[p].size(); ++i) {
            if (pages[p][i] == text) return {static_cast<int>(p) + 1, static_cast<int>(i)};
        }
    }
    return {};
}

}  // namespace kvtk::testing
