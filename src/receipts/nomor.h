#pragma once
// The receipt number: prefix, three sequence digits, "/", month and year
// ("KW-046/01/2026"). Receipts are stored under what follows the prefix, the
// last eleven characters of a proposed number.
#include <string>

// The sequence the next receipt of the current month (the clock's) takes:
// the highest stored sequence of this month plus one, "001" for the first,
// "000" after "999". Stored numbers that are not of the stored form (no
// three digits, no month and year from the fifth character) are passed over.
// Errors are not reported: whatever cannot be read counts as no receipt.
std::string urutanBerikutnya();

// The current month and year as a number ends with them: "mm/yyyy", with "/"
// whatever the regional date separator.
std::string bulanTahunNomor();

// The number the entry proposes: the prefix, urutanBerikutnya(), "/" and
// bulanTahunNomor().
std::string usulanNomor(const std::string& prefix);
