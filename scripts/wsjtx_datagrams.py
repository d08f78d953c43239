"""WSJT-X network datagrams as WSJT-X writes them (big-endian, Qt QDataStream layout), for the feed
script and the end-to-end tests."""

import struct

MAGIC = 0xADBCCBDA
SCHEMA = 2

HEARTBEAT, STATUS, DECODE, CLEAR = 0, 1, 2, 3


def _string(text):
    if text is None:
        return struct.pack(">I", 0xFFFFFFFF)
    data = text.encode("utf-8")
    return struct.pack(">I", len(data)) + data


def header(message_type, schema=SCHEMA, magic=MAGIC):
    return struct.pack(">III", magic, schema, message_type)


def heartbeat(client_id="WSJT-X", max_schema=3, version="2.6.1", revision=""):
    return (header(HEARTBEAT) + _string(client_id) + struct.pack(">I", max_schema)
            + _string(version) + _string(revision))


def status(client_id="WSJT-X", dial_hz=14074000, mode="FT8", dx_call="", report="",
           tx_mode="FT8", tx_enabled=False, transmitting=False, decoding=True):
    return (header(STATUS) + _string(client_id) + struct.pack(">Q", dial_hz) + _string(mode)
            + _string(dx_call) + _string(report) + _string(tx_mode)
            + struct.pack(">???", tx_enabled, transmitting, decoding))


def decode(time_ms, snr, dt, freq, message, new=True, client_id="WSJT-X", mode="~",
           low_confidence=False, off_air=False):
    """A Decode: time in milliseconds since midnight UTC, SNR in dB, DT in seconds, audio Hz."""
    return (header(DECODE) + _string(client_id) + struct.pack(">?Iid", new, time_ms, snr, dt)
            + struct.pack(">I", freq & 0xFFFFFFFF) + _string(mode) + _string(message)
            + struct.pack(">??", low_confidence, off_air))


def clear(client_id="WSJT-X"):
    return header(CLEAR) + _string(client_id)
