#pragma once

#include <QValidator>

#include <cstddef>

// Stops input into an edit once the text's stored form would pass the field's byte
// limit, so nothing typed is cut away unseen when the record is written.
class ByteLimit : public QValidator {
    Q_OBJECT
public:
    ByteLimit(std::size_t bytes, QObject* parent);

    State validate(QString& input, int& pos) const override;

private:
    std::size_t bytes_;
};
