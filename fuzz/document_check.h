// Whether what a run wrote is a whole document of its output form: what
// the fuzz targets ask of every run that chose a form, whatever ended it.
#ifndef FUZZ_DOCUMENT_CHECK_H
#define FUZZ_DOCUMENT_CHECK_H

#include <string>

// What is wrong with text as a document of the named form (csv, geojson,
// quakeml, text or count); empty when nothing is.  The records as they
// stood, and names of no form, have no shape to check.
std::string document_fault(const std::string& form, const std::string& text);

// The checks of the forms, each on its own.
std::string csv_fault(const std::string& text);
std::string geojson_fault(const std::string& text);
std::string quakeml_fault(const std::string& text);
std::string event_text_fault(const std::string& text);
std::string count_fault(const std::string& text);

#endif
