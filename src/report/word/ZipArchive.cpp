#include "ZipArchive.h"

#include <zip.h>

#include <memory>

namespace k30::docx {

namespace {

QString ErrorText(zip_error_t* e) { return QString::fromLocal8Bit(zip_error_strerror(e)); }

struct SourceFree {
    void operator()(zip_source_t* s) const { zip_source_free(s); }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceFree>;

// The bytes an in-memory source holds after its archive was closed.
QByteArray ReadBack(zip_source_t* source, QString& error)
{
    if (zip_source_open(source) < 0) {
        error = ErrorText(zip_source_error(source));
        return {};
    }
    QByteArray bytes;
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t n = zip_source_read(source, buffer, sizeof buffer);
        if (n < 0) {
            error = ErrorText(zip_source_error(source));
            bytes.clear();
            break;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<qsizetype>(n));
    }
    zip_source_close(source);
    return bytes;
}

}  // namespace

QByteArray ZipInMemory(const std::vector<ZipEntry>& entries, QString& error)
{
    zip_error_t zerror;
    zip_error_init(&zerror);
    SourcePtr target(zip_source_buffer_create(nullptr, 0, 0, &zerror));
    if (!target) {
        error = ErrorText(&zerror);
        zip_error_fini(&zerror);
        return {};
    }
    zip_t* archive = zip_open_from_source(target.get(), ZIP_TRUNCATE, &zerror);
    if (!archive) {
        error = ErrorText(&zerror);
        zip_error_fini(&zerror);
        return {};
    }
    zip_error_fini(&zerror);
    // Closing the archive would free the source, which still holds the result.
    zip_source_keep(target.get());

    for (const auto& [name, data] : entries) {
        // The entries' bytes outlive zip_close, which is when libzip reads them.
        zip_source_t* part = zip_source_buffer(archive, data.constData(), static_cast<zip_uint64_t>(data.size()), 0);
        const QByteArray utf8Name = name.toUtf8();
        const zip_int64_t index =
            part ? zip_file_add(archive, utf8Name.constData(), part, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            if (part)
                zip_source_free(part);
            error = ErrorText(zip_get_error(archive));
            zip_discard(archive);
            return {};
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(archive) < 0) {
        error = ErrorText(zip_get_error(archive));
        zip_discard(archive);
        return {};
    }
    return ReadBack(target.get(), error);
}

std::vector<ZipEntry> UnzipInMemory(const QByteArray& archive, QString& error)
{
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t* source =
        zip_source_buffer_create(archive.constData(), static_cast<zip_uint64_t>(archive.size()), 0, &zerror);
    zip_t* zip = source ? zip_open_from_source(source, ZIP_RDONLY, &zerror) : nullptr;
    if (!zip) {
        error = ErrorText(&zerror);
        zip_error_fini(&zerror);
        if (source)
            zip_source_free(source);
        return {};
    }
    zip_error_fini(&zerror);
    std::vector<ZipEntry> entries;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_file_t* file = nullptr;
        if (zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &stat) == 0)
            file = zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0);
        if (!file) {
            error = ErrorText(zip_get_error(zip));
            zip_discard(zip);
            return {};
        }
        QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
        const zip_int64_t n = zip_fread(file, bytes.data(), stat.size);
        zip_fclose(file);
        if (n < 0 || static_cast<zip_uint64_t>(n) != stat.size) {
            error = ErrorText(zip_get_error(zip));
            zip_discard(zip);
            return {};
        }
        entries.emplace_back(QString::fromUtf8(stat.name), std::move(bytes));
    }
    zip_discard(zip);
    return entries;
}

}  // namespace k30::docx
