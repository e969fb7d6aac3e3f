// Vertices per second of the peer tree generator under Node, for a tree of about a
// given vertex count, printed beside our own figure for the same count.
//
// usage: node eztree_rate.mjs --vertices N --ours-seconds S [--min-seconds T]
//   N  vertices of our tree (bench_levels, NumLevel 3), S  our CPU seconds for it
// Run from a folder where @dgreenheck/ez-tree and three are installed (compare.sh does).

// The peer loads its textures through three's image loader, which makes an <img>
// element when the module is first used: a small stand-in is all it needs under Node.
globalThis.document = {
  createElementNS: () => ({
    style: {},
    addEventListener() {},
    removeEventListener() {},
    setAttribute() {},
  }),
};
globalThis.self = globalThis;

const { Tree } = await import('@dgreenheck/ez-tree');

const TARGET_RATIO = 3; // ours over the peer's vertices per second, at least
const MAX_LEAF_COUNT = 40;
const WARM_UP_RUNS = 3;
const MIN_RUNS = 5;

// --name value pairs from the command line.
function argument(name, fallback) {
  const at = process.argv.indexOf(`--${name}`);
  if (at < 0 || at + 1 >= process.argv.length) {
    if (fallback === undefined) throw new Error(`missing --${name}`);
    return fallback;
  }
  return Number(process.argv[at + 1]);
}

// Vertices of a generated tree: branch mesh plus leaf mesh.
function vertexCount(tree) {
  return (
    tree.branchesMesh.geometry.attributes.position.count +
    tree.leavesMesh.geometry.attributes.position.count
  );
}

// The default tree with the leaf count that brings it nearest the wanted vertex count.
function treeOfAbout(wanted) {
  const tree = new Tree();
  let best = { count: 1, vertices: Infinity };
  for (let count = 1; count <= MAX_LEAF_COUNT; ++count) {
    tree.options.leaves.count = count;
    tree.generate();
    const vertices = vertexCount(tree);
    if (Math.abs(vertices - wanted) < Math.abs(best.vertices - wanted)) best = { count, vertices };
    if (vertices > wanted) break;
  }
  tree.options.leaves.count = best.count;
  tree.generate();
  return { tree, leafCount: best.count, vertices: vertexCount(tree) };
}

// CPU and wall seconds per generate(), over at least minSeconds of wall time.
function timeGenerate(tree, minSeconds) {
  for (let i = 0; i < WARM_UP_RUNS; ++i) tree.generate();
  const cpuStart = process.cpuUsage();
  const wallStart = performance.now();
  let runs = 0;
  while (runs < MIN_RUNS || performance.now() - wallStart < minSeconds * 1000) {
    tree.generate();
    ++runs;
  }
  const cpu = process.cpuUsage(cpuStart);
  return {
    runs,
    cpu: (cpu.user + cpu.system) / 1e6 / runs,
    wall: (performance.now() - wallStart) / 1000 / runs,
  };
}

const wanted = argument('vertices');
const oursSeconds = argument('ours-seconds');
const minSeconds = argument('min-seconds', 3);

const { tree, leafCount, vertices } = treeOfAbout(wanted);
const t = timeGenerate(tree, minSeconds);
const peerRate = vertices / t.cpu;
const oursRate = wanted / oursSeconds;
const ratio = oursRate / peerRate;

console.log(`node ${process.version}, peer generator default tree with leaves.count ${leafCount}`);
console.log(`peer: ${vertices} vertices, ${(t.cpu * 1e3).toFixed(2)} ms CPU ` +
  `(${(t.wall * 1e3).toFixed(2)} ms wall) per tree over ${t.runs} runs: ` +
  `${(peerRate / 1e6).toFixed(2)} M vertices/s`);
console.log(`ours: ${wanted} vertices, ${(oursSeconds * 1e3).toFixed(2)} ms CPU per tree ` +
  `(generation and display-list compile): ${(oursRate / 1e6).toFixed(2)} M vertices/s`);
console.log(`${'ours / peer vertices per second'.padEnd(52)} ${ratio.toFixed(3).padStart(10)} x      ` +
  `(target: at least ${TARGET_RATIO} x)  ${ratio >= TARGET_RATIO ? 'PASS' : 'MISS'}`);
