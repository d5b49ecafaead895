"""A ping of a window's event loop over the X protocol, with nothing beyond the standard
library: the window is sent the window manager's ping (_NET_WM_PING in WM_PROTOCOLS), which a
program that handles its events answers by sending it back to the root window. The time to
the answer is how long the program's loop took to come round."""

import os
import select
import socket
import struct
import time


class XPing:
    def __init__(self, display):
        number = display.split(":", 1)[1].split(".", 1)[0]
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect("/tmp/.X11-unix/X" + number)
        self.sock.sendall(struct.pack("<BxHHHHxx", 0x6C, 11, 0, 0, 0))
        head = self._read(8)
        if head[0] != 1:
            raise OSError("the X server refused the connection")
        extra = self._read(struct.unpack_from("<H", head, 6)[0] * 4)
        vendor_len, = struct.unpack_from("<H", extra, 16)
        formats = extra[21]
        screen = 32 + (vendor_len + 3) // 4 * 4 + 8 * formats
        self.root, = struct.unpack_from("<I", extra, screen)
        self.pending = b""
        self.protocols = self._atom(b"WM_PROTOCOLS")
        self.ping = self._atom(b"_NET_WM_PING")
        # The answers come to the root window, to clients that watch its children.
        self.sock.sendall(struct.pack("<BxHIII", 2, 4, self.root, 0x800, 0x80000))
        self.serial = int(time.time()) & 0xFFFF

    def _read(self, count):
        data = b""
        while len(data) < count:
            part = self.sock.recv(count - len(data))
            if not part:
                raise OSError("the X server closed the connection")
            data += part
        return data

    def _atom(self, name):
        padded = name + b"\0" * ((4 - len(name) % 4) % 4)
        self.sock.sendall(struct.pack("<BBHHxx", 16, 0, 2 + len(padded) // 4, len(name)) + padded)
        while True:
            packet = self._read(32)
            if packet[0] == 1:
                return struct.unpack_from("<I", packet, 8)[0]
            if packet[0] == 0:
                raise OSError("the X server refused InternAtom")

    def __call__(self, window, timeout):
        """Seconds until `window` answered the ping, or None when it did not within timeout."""
        self.serial = (self.serial + 1) & 0x7FFFFFFF
        event = struct.pack("<BBHII5I", 33, 32, 0, window, self.protocols, self.ping,
                            self.serial, window, 0, 0)
        started = time.monotonic()
        self.sock.sendall(struct.pack("<BBHII", 25, 0, 11, window, 0) + event)
        end = started + timeout
        while True:
            left = end - time.monotonic()
            if left <= 0:
                return None
            ready, _, _ = select.select([self.sock], [], [], left)
            if not ready:
                return None
            packet = self._read(32)
            if packet[0] == 1:  # a reply has more after its 32 bytes
                self._read(struct.unpack_from("<I", packet, 4)[0] * 4)
                continue
            if packet[0] & 0x7F == 33:
                kind, first, second = struct.unpack_from("<I2I", packet, 8)
                if kind == self.protocols and first == self.ping and second == self.serial:
                    return time.monotonic() - started

    def close(self):
        self.sock.close()
