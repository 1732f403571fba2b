// The refresh benchmark's fake internet in Node, as an alternative to glinter-bench-feedserver:
// the same feeds (its --routes table) on N HTTPS ports, answered after a fixed latency. Unlike
// Qt's server, each port keeps one TLS context, so clients can resume their TLS sessions
// (tickets); with "no-tickets" it issues none, with "keep-alive" it keeps connections open.
// Prints "ports P1 P2 ..." when ready and "request NS" (the monotonic clock) per request.
//
//   node feedserver.mjs N LATENCY_MS ROUTES_JSON TLS_DIR [no-tickets] [keep-alive]
import { constants } from 'node:crypto';
import { readFileSync } from 'node:fs';
import { createServer } from 'node:https';

const [count, latency, routesFile, tlsDir, ...flags] = process.argv.slice(2);
const routes = JSON.parse(readFileSync(routesFile, 'utf8'));
for (const route of Object.values(routes))
    route.body = readFileSync(route.file);
const options = {
    key: readFileSync(`${tlsDir}/server.key`),
    cert: readFileSync(`${tlsDir}/server.pem`),
    secureOptions: flags.includes('no-tickets') ? constants.SSL_OP_NO_TICKET : 0,
};
const keepAlive = flags.includes('keep-alive');

const handle = (request, response) => {
    process.stdout.write(`request ${process.hrtime.bigint()}\n`);
    const route = routes[new URL(request.url, 'https://feeds').pathname] ?? routes['*'];
    setTimeout(() => {
        response.writeHead(200, {
            'Content-Type': route.type,
            'Content-Length': route.body.length,
            ...(keepAlive ? {} : { Connection: 'close' }),
        });
        response.end(route.body);
    }, Number(latency));
};

const servers = [];
for (let i = 0; i < Number(count); ++i) {
    const server = createServer(options, handle);
    server.keepAliveTimeout = 120000;
    servers.push(new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server.address().port))));
}
process.stdout.write(`ports ${(await Promise.all(servers)).join(' ')}\n`);
