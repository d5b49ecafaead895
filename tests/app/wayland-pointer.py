#!/usr/bin/env python3
"""A pointer device for a headless Wayland compositor, driven from standard input.

A headless compositor has no input devices, so its seat offers clients no pointer at all.
This adds one through the compositor's virtual-pointer protocol, speaking the Wayland wire
format directly (no client library needed), and moves it on request:

    by DX DY      relative motion, as a hand on a mouse makes it
    press         the left button goes down
    release       the left button goes up

Each command is answered with a line "done" once the compositor has handled it. "ready" is
printed when the device exists. Ends at the end of its input.
"""
import os
import socket
import struct
import sys
import time

BTN_LEFT = 0x110
MANAGER = "zwlr_virtual_pointer_manager_v1"


class Connection:
    def __init__(self, path):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.pending = b""
        self.next_id = 2
        self.globals = {}

    def new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def send(self, obj, opcode, payload=b""):
        header = struct.pack("<II", obj, ((8 + len(payload)) << 16) | opcode)
        self.sock.sendall(header + payload)

    def roundtrip(self, registry=None):
        """Waits until the compositor has handled everything sent so far."""
        callback = self.new_id()
        self.send(1, 0, struct.pack("<I", callback))  # wl_display.sync
        while True:
            data = self.sock.recv(65536)
            if not data:
                sys.exit("wayland-pointer: the compositor closed the connection")
            self.pending += data
            while len(self.pending) >= 8:
                obj, word = struct.unpack("<II", self.pending[:8])
                size, opcode = word >> 16, word & 0xFFFF
                if len(self.pending) < size:
                    break
                body, self.pending = self.pending[8:size], self.pending[size:]
                if obj == 1 and opcode == 0:  # wl_display.error
                    sys.exit("wayland-pointer: protocol error %r" % body)
                if obj == registry and opcode == 0:  # wl_registry.global
                    name, length = struct.unpack("<II", body[:8])
                    self.globals[body[8:8 + length - 1].decode()] = name
                if obj == callback:
                    return


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def main():
    runtime = os.environ["XDG_RUNTIME_DIR"]
    display = os.environ.get("WAYLAND_DISPLAY", "wayland-0")
    conn = Connection(display if display.startswith("/") else os.path.join(runtime, display))
    registry = conn.new_id()
    conn.send(1, 1, struct.pack("<I", registry))  # wl_display.get_registry
    conn.roundtrip(registry)
    if MANAGER not in conn.globals:
        sys.exit("wayland-pointer: the compositor offers no virtual pointers")
    manager = conn.new_id()
    conn.send(registry, 0, struct.pack("<I", conn.globals[MANAGER]) + string(MANAGER) +
              struct.pack("<II", 1, manager))  # wl_registry.bind
    pointer = conn.new_id()
    conn.send(manager, 0, struct.pack("<II", 0, pointer))  # create_virtual_pointer, any seat
    conn.roundtrip()
    print("ready", flush=True)
    start = time.monotonic()

    def now():
        return int((time.monotonic() - start) * 1000) & 0xFFFFFFFF

    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        if words[0] == "by" and len(words) == 3:
            dx, dy = int(words[1]) * 256, int(words[2]) * 256  # wl_fixed_t
            conn.send(pointer, 0, struct.pack("<Iii", now(), dx, dy))
        elif words[0] in ("press", "release"):
            state = 1 if words[0] == "press" else 0
            conn.send(pointer, 2, struct.pack("<III", now(), BTN_LEFT, state))
        else:
            sys.exit("wayland-pointer: unknown command %r" % line)
        conn.send(pointer, 4)  # frame
        conn.roundtrip()
        print("done", flush=True)


if __name__ == "__main__":
    main()
