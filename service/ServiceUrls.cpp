#include "service/ServiceUrls.h"

AnsiString PercentEncode(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    AnsiString out;
    out.reserve(text.size() * 3);
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                          (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                          byte == '_' || byte == '~';
        if (unreserved) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    return out;
}

AnsiString BuildLoginUrl(const AnsiString& host, const AnsiString& login,
                         const AnsiString& password) {
    return "http://" + host + kLoginPath + "?login=" + PercentEncode(login) +
           "&pass=" + PercentEncode(password);
}

AnsiString BuildVersionProbeUrl(const AnsiString& host) {
    return "http://" + host + kVersionMarkerPath;
}

AnsiString BuildDownloadPageUrl(const AnsiString& host) {
    return "http://" + host + kDownloadPagePathAndQuery;
}

AnsiString BuildSiteHomeUrl(const AnsiString& host) {
    return "http://" + host + "/";
}
