#pragma once
// The dossier laid out as PDF: A4 portrait, 20 mm margins, a title block, one part per
// window (data, results, observations, drawings, method), tables with the captions on
// the left and the values right-aligned in a monospace column, drawings as vector
// graphics at the width of the page, and a footer on every page with the study name,
// the date and "page N / M".
#include <QByteArray>

#include <filesystem>

#include "forms/Report.h"

namespace aub {

// The PDF document, with the number of pages it holds.
QByteArray reportPdf(const Report& report, int* pageCount = nullptr);

// Writes the PDF atomically: the previous file stays whole and no partial file is left
// when writing fails (CalcError with its French description). Returns the page count.
int writeReportPdf(const Report& report, const std::filesystem::path& target);

// A file name proposed for a study: characters a file name cannot hold become "_".
std::string dossierFileName(const std::string& study);

}  // namespace aub
