#pragma once

#include <openssl/ssl.h>

// The certificate authorities every libcurl connection trusts: the system's, looked up in its
// hashed certificate folders only as a chain needs one (as Qt does), and those added to the
// network environment. One store for the whole process, shared by every connection: building
// it for each connection is what makes a client pay for the system's roots on every check.
namespace CurlTrust {

// Makes `context` verify against the shared store.
void useSharedStore(SSL_CTX *context);

} // namespace CurlTrust
