#include "httpmodule/httplibclient.h"
#include "platform/moduleentries.h"

HttpClient* chimelet_httpclient(const char* url) {
    return new HttplibClient(url);
}
