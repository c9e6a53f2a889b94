#pragma once

#include <QPageLayout>
#include <QString>
#include <cups/cups.h>
#include <dlfcn.h>
#include <memory>
#include <optional>
#include <variant>

namespace vantoriku {

// A member named and typed as the libcups function of that name.
// NOLINTBEGIN(bugprone-macro-parentheses): a name, not an expression
#define VANTORIKU_CUPS(name)                                                                       \
    decltype(&::name) name = reinterpret_cast<decltype(&::name)>(find(#name))
// NOLINTEND(bugprone-macro-parentheses)

// The functions of libcups that printing uses, from one handle of the library,
// opened when first needed rather than linked: the program then starts
// without libcups and its dozen dependencies, which only printing needs.
// Every libcups since 1.7 has them all.
class Libcups {
  public:
    explicit Libcups(void* library) : library_(library) {}
    [[nodiscard]] const char* missing() const { return missing_; }

  private:
    void* library_;
    const char* missing_ = nullptr; // the first function not found

    void* find(const char* name) {
        void* function = dlsym(library_, name);
        if (function == nullptr && missing_ == nullptr) {
            missing_ = name;
        }
        return function;
    }

  public:
    VANTORIKU_CUPS(cupsServer);
    VANTORIKU_CUPS(ippPort);
    VANTORIKU_CUPS(cupsEncryption);
    VANTORIKU_CUPS(cupsUser);
    VANTORIKU_CUPS(cupsSetUser);
    VANTORIKU_CUPS(cupsSetPasswordCB2);
    VANTORIKU_CUPS(httpAddrGetList);
    VANTORIKU_CUPS(httpAddrFreeList);
    VANTORIKU_CUPS(httpConnect2);
    VANTORIKU_CUPS(httpSetTimeout);
    VANTORIKU_CUPS(httpClose);
    VANTORIKU_CUPS(cupsGetNamedDest);
    VANTORIKU_CUPS(cupsFreeDests);
    VANTORIKU_CUPS(cupsCopyDestInfo);
    VANTORIKU_CUPS(cupsFreeDestInfo);
    VANTORIKU_CUPS(cupsGetOption);
    VANTORIKU_CUPS(cupsFindDestDefault);
    VANTORIKU_CUPS(ippGetString);
    VANTORIKU_CUPS(cupsGetDestMediaByName);
    VANTORIKU_CUPS(cupsCreateDestJob);
    VANTORIKU_CUPS(cupsStartDestDocument);
    VANTORIKU_CUPS(cupsWriteRequestData);
    VANTORIKU_CUPS(cupsFinishDestDocument);
    VANTORIKU_CUPS(cupsCancelDestJob);
    VANTORIKU_CUPS(cupsLastError);
    VANTORIKU_CUPS(cupsLastErrorString);
};
#undef VANTORIKU_CUPS

// The library of that file name, or why it cannot print, in Japanese.
std::variant<std::unique_ptr<const Libcups>, QString> loadLibcups(const char* fileName);

// The printer's paper as libcups describes it, less the margins it cannot
// print on; A4 without margins for a printer that does not say.
QPageLayout pageLayout(const std::optional<cups_size_t>& media);

} // namespace vantoriku
