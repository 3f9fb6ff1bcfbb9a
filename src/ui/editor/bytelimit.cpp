#include "ui/editor/bytelimit.h"

#include "store/ansitext.h"

ByteLimit::ByteLimit(std::size_t bytes, QObject* parent) : QValidator(parent), bytes_(bytes) {}

QValidator::State ByteLimit::validate(QString& input, int&) const {
    return toansi(input).size() <= bytes_ ? Acceptable : Invalid;
}
