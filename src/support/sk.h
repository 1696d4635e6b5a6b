// Recognisers of number texts. Each returns the base it recognised, or 0.
#pragma once

// Optional sign, decimal digits, then the end or whitespace: 10, else 0.
int sk_isdec(const char* s);
// Optional sign, the prefix '0' (required when needPrefix), octal digits: 8.
int sk_isoct(const char* s, int needPrefix);
// Optional sign, the prefix '$' or 0x/0X (required when needPrefix), hex digits: 16.
int sk_ishex(const char* s, int needPrefix);
// Sign, digits with an optional point, optional exponent; nothing after: 1.
int sk_isreal(const char* s);
// A text sk_isreal accepts, converted, when the value is finite: true with
// *out set; otherwise false and *out unchanged.
bool sk_toreal(const char* s, double* out);
// Skips 0x, 0X or '$' and converts the rest as hexadecimal.
long sk_hextol(const char* s);
