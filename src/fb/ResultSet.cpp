#include "fb/ResultSet.h"

#include "fb/Attachment.h"
#include "fb/Client.h"
#include "fb/Error.h"
#include "fb/Transaction.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velmora::fb {

namespace {

struct Releaser {
    template <class T>
    void operator()(T *p) const { p->release(); }
};
template <class T>
using Ref = std::unique_ptr<T, Releaser>;

int bytesPerChar(unsigned charset)
{
    switch (charset) {
    case 3: return 3;   // UNICODE_FSS
    case 4: return 4;   // UTF8
    default: return 1;  // NONE, OCTETS and the one-byte sets
    }
}

// Firebird counts days from 17 November 1858, the modified Julian day 0.
QDate toDate(ISC_DATE d)
{
    return QDate::fromJulianDay(static_cast<qint64>(d) + 2400001);
}

QTime toTime(ISC_TIME t)
{
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(t / 10));
}

template <class T>
T load(const char *p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T>
void append(std::vector<char> &out, T v)
{
    const auto *p = reinterpret_cast<const char *>(&v);
    out.insert(out.end(), p, p + sizeof v);
}

// Where one output column lies in the fetch buffer.
struct Slot {
    unsigned type;
    unsigned offset;
    unsigned nullOffset;
    unsigned length;
};

} // namespace

void ResultSet::open(Transaction &tr, const QString &sql)
{
    close();
    m_sql = sql;
    tr.start();
    const QByteArray text = bytes(sql);

    Status status;
    try {
        Ref<Firebird::IStatement> stmt(tr.attachment().handle()->prepare(
            &status, tr.handle(), 0, text.constData(), 3,
            Firebird::IStatement::PREPARE_PREFETCH_METADATA));
        Ref<Firebird::IMessageMetadata> meta(stmt->getOutputMetadata(&status));
        const unsigned count = meta->getCount(&status);
        std::vector<Slot> slots;
        for (unsigned i = 0; i < count; ++i) {
            const unsigned type = meta->getType(&status, i) & ~1u;
            Column c{QString::fromUtf8(meta->getAlias(&status, i)), Kind::Text,
                     meta->getScale(&status, i), 0};
            switch (type) {
            case SQL_VARYING:
            case SQL_TEXT:
                c.width = static_cast<int>(meta->getLength(&status, i))
                          / bytesPerChar(meta->getCharSet(&status, i));
                break;
            case SQL_SHORT:
            case SQL_LONG:
            case SQL_INT64: c.kind = c.scale == 0 ? Kind::Integer : Kind::Scaled; break;
            case SQL_FLOAT:
            case SQL_DOUBLE: c.kind = Kind::Real; break;
            case SQL_TYPE_DATE: c.kind = Kind::Date; break;
            case SQL_TYPE_TIME: c.kind = Kind::Time; break;
            case SQL_TIMESTAMP: c.kind = Kind::Stamp; break;
            case SQL_BOOLEAN: c.kind = Kind::Boolean; break;
            default:
                throw Error(QStringLiteral("Tipo di colonna non gestito: %1").arg(c.name), {});
            }
            m_columns.push_back(c);
            slots.push_back({type, meta->getOffset(&status, i), meta->getNullOffset(&status, i),
                             meta->getLength(&status, i)});
        }

        Ref<Firebird::IResultSet> cursor(
            stmt->openCursor(&status, tr.handle(), nullptr, nullptr, meta.get(), 0));
        std::vector<unsigned char> buffer(meta->getMessageLength(&status));
        const unsigned char *b = buffer.data();
        while (cursor->fetchNext(&status, buffer.data()) == Firebird::IStatus::RESULT_OK) {
            for (std::size_t i = 0; i < slots.size(); ++i) {
                const Slot &s = slots[i];
                m_cells.push_back(static_cast<std::uint32_t>(m_data.size()));
                const bool null = load<short>(reinterpret_cast<const char *>(b + s.nullOffset)) != 0;
                m_data.push_back(null ? 1 : 0);
                if (null)
                    continue;
                const char *p = reinterpret_cast<const char *>(b + s.offset);
                switch (s.type) {
                case SQL_VARYING: {
                    const auto len = load<std::uint16_t>(p);
                    append(m_data, len);
                    m_data.insert(m_data.end(), p + 2, p + 2 + len);
                    break;
                }
                case SQL_TEXT: {
                    // Fixed width: the blank padding is not part of the value.
                    std::uint16_t len = static_cast<std::uint16_t>(s.length);
                    while (len > 0 && p[len - 1] == ' ')
                        --len;
                    append(m_data, len);
                    m_data.insert(m_data.end(), p, p + len);
                    break;
                }
                case SQL_SHORT: append(m_data, static_cast<qint64>(load<qint16>(p))); break;
                case SQL_LONG: append(m_data, static_cast<qint64>(load<qint32>(p))); break;
                case SQL_INT64: append(m_data, load<qint64>(p)); break;
                case SQL_FLOAT: append(m_data, static_cast<double>(load<float>(p))); break;
                case SQL_DOUBLE: append(m_data, load<double>(p)); break;
                case SQL_TYPE_DATE:
                case SQL_TYPE_TIME: m_data.insert(m_data.end(), p, p + 4); break;
                case SQL_TIMESTAMP: m_data.insert(m_data.end(), p, p + 8); break;
                case SQL_BOOLEAN: m_data.push_back(*p); break;
                }
            }
            ++m_rows;
        }
        cursor->close(&status);
        cursor.release();
        stmt->free(&status);
        stmt.release();
    } catch (const Firebird::FbException &e) {
        close();
        rethrow(e);
    } catch (...) {
        close();
        throw;
    }
    m_open = true;
    m_row = 0;
}

void ResultSet::reopen(Transaction &tr)
{
    const QString sql = m_sql;
    open(tr, sql);
}

void ResultSet::close()
{
    m_open = false;
    m_columns.clear();
    m_data.clear();
    m_cells.clear();
    m_rows = 0;
    m_row = 0;
}

QString ResultSet::columnName(int column) const
{
    return m_columns.at(static_cast<std::size_t>(column)).name;
}

int ResultSet::columnIndex(const QString &name) const
{
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

int ResultSet::requireColumn(const QString &name) const
{
    const int i = columnIndex(name);
    if (i < 0)
        throw Error(QStringLiteral("Colonna non trovata: %1").arg(name), {});
    return i;
}

int ResultSet::declaredWidth(const QString &name) const
{
    return m_columns[static_cast<std::size_t>(requireColumn(name))].width;
}

QStringList ResultSet::texts(const QString &name) const
{
    const int column = requireColumn(name);
    QStringList out;
    out.reserve(m_rows);
    for (int row = 0; row < m_rows; ++row)
        out << value(row, column).toString();
    return out;
}

void ResultSet::next()
{
    if (m_row < m_rows)
        ++m_row;
}

void ResultSet::setRow(int row)
{
    m_row = qBound(0, row, m_rows);
}

const char *ResultSet::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= columnCount())
        throw Error(QStringLiteral("Riga o colonna fuori dai limiti"), {});
    return m_data.data() + m_cells[static_cast<std::size_t>(row) * m_columns.size()
                                   + static_cast<std::size_t>(column)];
}

bool ResultSet::isNull(int row, int column) const
{
    return *cell(row, column) != 0;
}

QVariant ResultSet::value(int row, int column) const
{
    const char *p = cell(row, column);
    if (*p++)
        return {};
    const Column &c = m_columns[static_cast<std::size_t>(column)];
    switch (c.kind) {
    case Kind::Text: return QString::fromUtf8(p + 2, load<std::uint16_t>(p));
    case Kind::Integer: return load<qint64>(p);
    case Kind::Scaled: return static_cast<double>(load<qint64>(p)) * std::pow(10.0, c.scale);
    case Kind::Real: return load<double>(p);
    case Kind::Date: return toDate(load<ISC_DATE>(p));
    case Kind::Time: return toTime(load<ISC_TIME>(p));
    case Kind::Stamp: return QDateTime(toDate(load<ISC_DATE>(p)), toTime(load<ISC_TIME>(p + 4)));
    case Kind::Boolean: return *p != 0;
    }
    return {};
}

QVariant ResultSet::value(const QString &name) const
{
    return value(m_row, requireColumn(name));
}

bool ResultSet::locate(const QString &names, const QVariantList &values, bool ignoreCase)
{
    const QStringList list = names.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (list.size() != values.size())
        throw Error(QStringLiteral("Ricerca con %1 colonne e %2 valori").arg(list.size()).arg(values.size()), {});

    // Each wanted value once in the form its column is packed in, so that
    // the walk over a long list compares bytes instead of decoding cells.
    struct Wanted {
        int column;
        QVariant value;
        enum class Way { Null, Bytes, Number, Date, Decoded } way;
        QByteArray bytes;
        qint64 number = 0;
        ISC_DATE date = 0;
    };
    std::vector<Wanted> wanted;
    for (int i = 0; i < list.size(); ++i) {
        Wanted w{requireColumn(list[i].trimmed()), values[i], Wanted::Way::Decoded, {}};
        const Kind kind = m_columns[static_cast<std::size_t>(w.column)].kind;
        const int type = w.value.typeId();
        if (w.value.isNull()) {
            w.way = Wanted::Way::Null;
        } else if (kind == Kind::Text && !ignoreCase) {
            w.way = Wanted::Way::Bytes;
            w.bytes = w.value.toString().toUtf8();
        } else if (kind == Kind::Integer && (type == QMetaType::Int || type == QMetaType::LongLong
                                             || type == QMetaType::UInt || type == QMetaType::ULongLong)) {
            w.way = Wanted::Way::Number;
            w.number = w.value.toLongLong();
        } else if (kind == Kind::Date && type == QMetaType::QDate) {
            w.way = Wanted::Way::Date;
            w.date = static_cast<ISC_DATE>(w.value.toDate().toJulianDay() - 2400001);
        }
        wanted.push_back(std::move(w));
    }

    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    auto matches = [&](int r, const Wanted &w) {
        const char *p = cell(r, w.column);
        if (w.way == Wanted::Way::Null || *p)
            return w.way == Wanted::Way::Null && *p;
        ++p;
        switch (w.way) {
        case Wanted::Way::Bytes: {
            const auto len = load<std::uint16_t>(p);
            return len == w.bytes.size() && std::memcmp(p + 2, w.bytes.constData(), len) == 0;
        }
        case Wanted::Way::Number: return load<qint64>(p) == w.number;
        case Wanted::Way::Date: return load<ISC_DATE>(p) == w.date;
        default: break;
        }
        const QVariant v = value(r, w.column);
        if (v.typeId() == QMetaType::QString)
            return v.toString().compare(w.value.toString(), cs) == 0;
        return v == w.value || v.toString() == w.value.toString();
    };
    for (int r = 0; r < m_rows; ++r) {
        if (std::all_of(wanted.begin(), wanted.end(), [&](const Wanted &w) { return matches(r, w); })) {
            m_row = r;
            return true;
        }
    }
    return false;
}

} // namespace velmora::fb
