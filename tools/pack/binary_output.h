#pragma once
// Standard output in binary mode, so that `inspect --raw` hands over the
// payload bytes unchanged (Windows would turn LF into CR LF otherwise).
namespace vc::pack {
void SetBinaryStdout();
}
